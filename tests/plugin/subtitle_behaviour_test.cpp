// The Subtitles page through the real window: the sample, the font and colour
// choosers, the code page, the delay and the frame-rate list.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

using namespace zelktest;

namespace {

std::function<void(QWidget*)> acceptDialog()
{
    return [](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); };
}

std::function<void(QWidget*)> rejectDialog()
{
    return [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); };
}

std::function<void(QWidget*)> chooseColour(const QColor& colour)
{
    return [colour](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        if (dialog)
            dialog->setCurrentColor(colour);
        static_cast<QDialog*>(modal)->accept();
    };
}

const int anyIndex = -2;

} // namespace

class SubtitleBehaviourTest : public QObject {
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void sampleShowsTheLoadedFontAndColours()
    {
        QVERIFY(storeString("Subtitles", "SubtitleTextColor", QStringLiteral("#00FF80")));
        QVERIFY(storeString("Subtitles", "SubtitleFont", QStringLiteral("Courier:20:Bold:Italic::")));
        PreferencesHarness harness;
        auto* sample = harness.child<QLabel>("subtitleTextSampleLabel");
        QCOMPARE(sample->styleSheet(), QStringLiteral("*{color:#00ff80;background-color:#000000}"));
        QCOMPARE(sample->font().family(), QStringLiteral("Courier"));
        QCOMPARE(sample->font().pointSize(), 20);
        QVERIFY(sample->font().italic());
        QCOMPARE(sample->text(), QStringLiteral("Subtitle Sample"));
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleTextColor").asString(), QStringLiteral("#00ff80"));
        QCOMPARE(storedValue("Subtitles", "SubtitleFont").asString(), QStringLiteral("Courier:20:Bold:Italic::"));
    }

    void colourChooser()
    {
        PreferencesHarness harness;
        {
            ModalAnswerer same(acceptDialog()); // the current colour again
            QVERIFY(harness.call("pickSubtitleTextColor"));
            QVERIFY(same.shown());
        }
        QVERIFY(!harness.applyEnabled());
        {
            ModalAnswerer cancel(rejectDialog());
            QVERIFY(harness.call("pickSubtitleOutlineColor"));
            QVERIFY(cancel.shown());
        }
        QVERIFY(!harness.applyEnabled());
        {
            ModalAnswerer red(chooseColour(QColor(0xAB, 0x12, 0xCD)));
            QVERIFY(harness.call("pickSubtitleOutlineColor"));
        }
        QVERIFY(harness.applyEnabled());
        QCOMPARE(harness.child<QLabel>("subtitleTextSampleLabel")->styleSheet(),
                 QStringLiteral("*{color:#ffff00;background-color:#ab12cd}"));
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleOutlineColor").asString(), QStringLiteral("#ab12cd"));
        QCOMPARE(storedValue("Subtitles", "SubtitleTextColor").asString(), QStringLiteral("#ffff00"));
    }

    void fontChooser()
    {
        // A family this machine has, so the chooser can keep it unchanged.
        const QString family = QFontDatabase().families().value(0);
        QVERIFY(!family.isEmpty());
        QVERIFY(storeString("Subtitles", "SubtitleFont", family + QStringLiteral(":14:Normal:::")));
        PreferencesHarness harness;
        auto* sample = harness.child<QLabel>("subtitleTextSampleLabel");
        {
            ModalAnswerer cancel(rejectDialog());
            sample->setStyleSheet(QString()); // the sample is re-rendered even so
            QVERIFY(harness.call("pickSubtitleFont"));
            QVERIFY(cancel.shown());
            QCOMPARE(cancel.title(), QStringLiteral("Subtitle Font"));
        }
        QVERIFY(!harness.applyEnabled());
        QCOMPARE(sample->styleSheet(), QStringLiteral("*{color:#ffff00;background-color:#000000}"));
        QCOMPARE(sample->text(), QStringLiteral("Subtitle Sample"));
        {
            ModalAnswerer accept(acceptDialog()); // unchanged
            QVERIFY(harness.call("pickSubtitleFont"));
        }
        QVERIFY(harness.applyEnabled());
        QCOMPARE(sample->text(), family + QStringLiteral(" 14pt"));
    }

    void codePageAndDelay()
    {
        QVERIFY(storeString("Subtitles", "SubtitleCodePage", QStringLiteral("no-such-encoding")));
        QVERIFY(storeInt("Subtitles", "SubtitleDelay", -2500));
        PreferencesHarness harness;
        auto* pages = harness.child<QComboBox>("defaultCodePageComboBox");
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->currentText(), QStringLiteral("System Encoding (Default)"));
        QVERIFY(pages->count() > 1);
        auto* delay = harness.child<QSpinBox>("subtitleDelaySpinBox");
        QCOMPARE(delay->value(), -2500);
        delay->setValue(9999);
        pages->setCurrentIndex(pages->findData(QStringLiteral("windows-1250")));
        QVERIFY(pages->currentIndex() > 0);
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleDelay").asInt(), 9999);
        QCOMPARE(storedValue("Subtitles", "SubtitleCodePage").asString(), QStringLiteral("windows-1250"));
    }

    void frameRateLoad_data()
    {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shown");
        QTest::newRow("24p") << qint64(24000) << qint64(1001) << 0 << QStringLiteral("24p (24000/1001)");
        QTest::newRow("25p") << qint64(25) << qint64(1) << 1 << QStringLiteral("25p");
        // Only the edit field shows an unlisted rate; the list keeps its item.
        QTest::newRow("typed 25") << qint64(100) << qint64(4) << anyIndex << QStringLiteral("100/4");
        QTest::newRow("not a number") << qint64(7) << qint64(-2) << -1 << QString();
        QTest::newRow("zero") << qint64(0) << qint64(5) << -1 << QString();
    }

    void frameRateLoad()
    {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QFETCH(int, index);
        QFETCH(QString, shown);
        QVERIFY(storeInt("Subtitles", "SubtitleFrameRateNumerator", numerator));
        QVERIFY(storeInt("Subtitles", "SubtitleFrameRateDenominator", denominator));
        PreferencesHarness harness;
        auto* list = harness.child<QComboBox>("subtitleFrameRateComboBox");
        if (index != anyIndex)
            QCOMPARE(list->currentIndex(), index);
        QCOMPARE(list->currentText(), shown);
        QVERIFY(!harness.applyEnabled());
    }

    void frameRateSave()
    {
        PreferencesHarness harness;
        auto* list = harness.child<QComboBox>("subtitleFrameRateComboBox");
        // Nothing chosen: nothing written.
        QVERIFY(harness.call("save"));
        QVERIFY(!storedValue("Subtitles", "SubtitleFrameRateNumerator").exists());

        list->setEditText(QStringLiteral("25"));
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateNumerator").asInt(), 100);
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateDenominator").asInt(), 4);
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateNumerator").type, 11u);

        // An unusable text leaves the pair; everything else is still saved.
        list->setEditText(QStringLiteral("fast"));
        harness.child<QSpinBox>("subtitleDelaySpinBox")->setValue(15);
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateNumerator").asInt(), 100);
        QCOMPARE(storedValue("Subtitles", "SubtitleDelay").asInt(), 15);

        list->setCurrentIndex(4);
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateNumerator").asInt(), 60000);
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateDenominator").asInt(), 1001);

        // The label of another preset typed over the current one saves that preset.
        list->setEditText(QStringLiteral("24p (24000/1001)"));
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateNumerator").asInt(), 24000);
    }

    void globalResetEmptiesTheFrameRate()
    {
        QVERIFY(storeInt("Subtitles", "SubtitleFrameRateNumerator", 25));
        QVERIFY(storeInt("Subtitles", "SubtitleFrameRateDenominator", 1));
        PreferencesHarness harness;
        auto* list = harness.child<QComboBox>("subtitleFrameRateComboBox");
        QCOMPARE(list->currentIndex(), 1);
        {
            ModalAnswerer yes(ModalAnswerer::press(QMessageBox::Yes));
            QVERIFY(harness.call("reset"));
        }
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
        QVERIFY(harness.call("save"));
        QCOMPARE(storedValue("Subtitles", "SubtitleFrameRateNumerator").asInt(), 25);
        QCOMPARE(storedValue("Subtitles", "SubtitleTextColor").asString(), QStringLiteral("#ffff00"));
    }
};

QTEST_MAIN(SubtitleBehaviourTest)
#include "subtitle_behaviour_test.moc"
