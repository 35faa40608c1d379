// The window's wiring: discovery of video outputs, change tracking, the close
// paths, incoming preference messages and the frame-rate validator.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"

#include "host/library/ZNBLibrary.h"
#include "plugin/HostInterfaces.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QValidator>
#include <QtTest>

using namespace zelktest;

namespace {

QString descriptor(const QString& id, const QString& shortName, const QStringList& interfaces, bool videoPort)
{
    QString xml = QStringLiteral("<properties><id>%1</id><name><short>%2</short></name><interfaces>").arg(id, shortName);
    for (const QString& name : interfaces)
        xml += QStringLiteral("<interface>%1</interface>").arg(name);
    xml += QStringLiteral("</interfaces><plugin><StreamEngine><ports>");
    xml += videoPort ? QStringLiteral("<port media=\"video\">in</port>") : QStringLiteral("<port media=\"audio\">in</port>");
    xml += QStringLiteral("</ports></StreamEngine></plugin></properties>");
    return xml;
}

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

const QString outputComponent = QStringLiteral("com.zelk.streamengine.component.output");

// Changes one control the way a user would, so that its tracked signal fires.
void changeControl(QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(edit->text() + QStringLiteral("x"));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        slider->setValue(slider->value() == slider->minimum() ? slider->maximum() : slider->minimum());
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        spin->setValue(spin->value() + 5);
    }
}

} // namespace

class PreferencesWiringTest : public QObject {
    Q_OBJECT

    QTemporaryDir outputs;

    // Descriptors of two video outputs, so the list shows and can change.
    QStringList twoOutputs()
    {
        writeFile(outputs.filePath(QStringLiteral("a.xml")),
                  descriptor(QStringLiteral("com.example.zeta"), QStringLiteral("Zeta"), {outputComponent}, true));
        writeFile(outputs.filePath(QStringLiteral("b.xml")),
                  descriptor(QStringLiteral("com.example.alpha"), QStringLiteral("Alpha"), {outputComponent}, true));
        return {outputs.path()};
    }

private slots:
    void init()
    {
        clearStore();
        qunsetenv("ZELK_PLATFORM");
    }

    void discoveryListsVideoOutputsInByteOrder()
    {
        QTemporaryDir dir;
        const QString out = QStringLiteral("com.zelk.streamengine.component.output.single");
        writeFile(dir.filePath(QStringLiteral("1.xml")), descriptor(QStringLiteral("id.z"), QStringLiteral("Zeta"), {out}, true));
        writeFile(dir.filePath(QStringLiteral("2.xml")),
                  descriptor(QStringLiteral("id.b"), QStringLiteral("beta"), {QStringLiteral("x"), outputComponent + QStringLiteral(".multiple")}, true));
        writeFile(dir.filePath(QStringLiteral("3.xml")), descriptor(QStringLiteral("id.a"), QStringLiteral("Alpha"), {outputComponent}, true));
        // Not outputs: no video port; only an output interface, not a component id.
        writeFile(dir.filePath(QStringLiteral("4.xml")), descriptor(QStringLiteral("id.noport"), QStringLiteral("NoPort"), {out}, false));
        writeFile(dir.filePath(QStringLiteral("5.xml")),
                  descriptor(QStringLiteral("id.iface"), QStringLiteral("Iface"), {QStringLiteral("com.zelk.streamengine.interface.output")}, true));

        PreferencesHarness harness({dir.path()});
        QVERIFY(harness.created());
        auto* list = harness.child<QComboBox>("videoOutputMethodComboBox");
        QStringList texts, data;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->itemText(i);
            data << list->itemData(i).toString();
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("Best Available"), QStringLiteral("Alpha"), QStringLiteral("Zeta"), QStringLiteral("beta")}));
        QCOMPARE(data, (QStringList{QStringLiteral("<best>"), QStringLiteral("id.a"), QStringLiteral("id.z"), QStringLiteral("id.b")}));
        QVERIFY(!list->isHidden());
        QVERIFY(!harness.child<QLabel>("videoOutputMethodLabel")->isHidden());
    }

    void discoveryWithOneOutputHidesTheList()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("1.xml")), descriptor(QStringLiteral("id.one"), QStringLiteral("Only"), {outputComponent}, true));
        writeFile(dir.filePath(QStringLiteral("2.xml")), descriptor(QStringLiteral("id.two"), QStringLiteral("Only"), {outputComponent}, true));
        PreferencesHarness harness({dir.path()});
        auto* list = harness.child<QComboBox>("videoOutputMethodComboBox");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->itemData(0).toString(), QStringLiteral("<best>"));
        QVERIFY(list->isHidden());
        QVERIFY(harness.child<QLabel>("videoOutputMethodLabel")->isHidden());
    }

    void everyTrackedControlEnablesApply_data()
    {
        QTest::addColumn<QString>("control");
        const char* controls[] = {
            "zelkMoviesEdit", "bannerAdsCheckBox", "onTopCheckBox", "toolTipsCheckBox", "autohideCheckBox",
            "openInLastDirRadioButton", "openInCustomDirRadioButton", "customDirEdit", "defaultViewComboBox",
            "aviCheckBox", "zelkCheckBox", "xvidCheckBox", "mkvCheckBox", "movCheckBox", "mp4CheckBox", "wmvCheckBox",
            "vobCheckBox", "mpg_mpegCheckBox", "asfCheckBox", "qtCheckBox", "mediaLibClearDownloadsCheckBox",
            "mediaLibAutoCloseImportDialogCheckBox", "mediaLibRestartDownloadsCheckBox", "addPlayedVideoToLibCheckBox",
            "addVideoInDefFolderToLibCheckBox", "deletLibFileAndDiskFileCheckBox", "recentWatchedPlaylistCheckBox",
            "resumePlaybackCheckBox", "showResumeOfferCheckBox", "resizeToVideoCheckBox", "screenSaverCheckBox",
            "rememberPreviousMovieCheckBox", "pauseIfNoFocusCheckBox", "blackoutOnPauseCheckBox",
            "audioTrackComboBox", "subtitleTrackComboBox", "menuTrackComboBox", "postProcessingComboBox",
            "deblockingSlider", "brightnessSlider", "brightnessResetButton", "saturationSlider",
            "saturationResetButton", "contrastSlider", "contrastResetButton", "alwaysUseExternalFontCheckBox",
            "srtCheckBox", "subtitleDelaySpinBox", "defaultCodePageComboBox", "subtitleFrameRateComboBox",
            "simSubsCheckBox", "deinterlacingMethodComboBox", "videoOutputMethodComboBox",
            "hardwareDecodingDisabledCheckBox",
        };
        for (const char* name : controls)
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyTrackedControlEnablesApply()
    {
        QFETCH(QString, control);
        PreferencesHarness harness(twoOutputs());
        QVERIFY(harness.created());
        QVERIFY2(!harness.applyEnabled(), "loading must not mark the window changed");
        QWidget* widget = harness.window()->findChild<QWidget*>(control);
        QVERIFY(widget);
        changeControl(widget);
        QVERIFY(harness.applyEnabled());
    }

    void frameRateTextEditingIsTracked()
    {
        PreferencesHarness harness;
        harness.child<QComboBox>("subtitleFrameRateComboBox")->setEditText(QStringLiteral("23.976"));
        QVERIFY(harness.applyEnabled());
    }

    void resetButtonsMarkTheWindowThemselves()
    {
        PreferencesHarness harness;
        // With the window's own signals blocked, settingChanged() ignores the
        // click; the reset slot still marks the window changed.
        harness.window()->blockSignals(true);
        harness.child<QAbstractButton>("contrastResetButton")->click();
        harness.window()->blockSignals(false);
        QVERIFY(harness.applyEnabled());
        QCOMPARE(harness.child<QAbstractSlider>("contrastSlider")->value(), 0);
    }

    void pageListSwitchesPages()
    {
        PreferencesHarness harness;
        auto* list = harness.child<QListWidget>("listBox");
        auto* stack = harness.child<QStackedWidget>("stackedWidget");
        QCOMPARE(list->currentRow(), 0);
        list->setCurrentRow(1);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("VideoLibraryPrefs"));
        list->setCurrentRow(2);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("PlaybackPrefs"));
        list->setCurrentRow(0);
        static_cast<ZelkNimbo::ZNBPreferencesPluginInterface*>(harness.interface(ZelkNimbo::InterfaceId::Preferences))
            ->showPlaybackPreferences();
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("PlaybackPrefs"));
    }

    void openLocationRadiosDriveTheCustomFolderEdit()
    {
        PreferencesHarness harness;
        auto* edit = harness.child<QLineEdit>("customDirEdit");
        QVERIFY(!edit->isEnabled()); // "<media folder>" by default
        harness.child<QRadioButton>("openInCustomDirRadioButton")->click();
        QVERIFY(edit->isEnabled());
        harness.child<QRadioButton>("openInLastDirRadioButton")->click();
        QVERIFY(!edit->isEnabled());
        QVERIFY(harness.child<QWidget>("customDirButton")->isEnabled());
    }

    void okWithoutChangesClosesWithoutSaving()
    {
        PreferencesHarness harness;
        harness.call("showPreferences");
        ModalAnswerer guard(ModalAnswerer::press(QMessageBox::Cancel), 300);
        harness.child<QAbstractButton>("okButton")->click();
        QTest::qWait(350);
        QVERIFY(!guard.shown());
        QVERIFY(!harness.window()->isVisible());
        QVERIFY(!storedValue("Playback", "AlwaysOnTop").exists());
    }

    void titleBarCloseWithChangesAsks()
    {
        PreferencesHarness harness;
        harness.call("showPreferences");
        harness.child<QAbstractButton>("onTopCheckBox")->click();
        {
            ModalAnswerer cancel(ModalAnswerer::press(QMessageBox::Cancel));
            QVERIFY(!harness.window()->close());
            QVERIFY(cancel.shown());
            QCOMPARE(cancel.title(), QStringLiteral("Save changes?"));
        }
        QVERIFY(harness.window()->isVisible());
        QVERIFY(harness.applyEnabled());
        {
            ModalAnswerer discard(ModalAnswerer::press(QMessageBox::Discard));
            QVERIFY(harness.window()->close());
            QVERIFY(discard.shown());
        }
        QVERIFY(!storedValue("Playback", "AlwaysOnTop").exists());
        QVERIFY(harness.applyEnabled()); // a discarded close keeps the edit pending
    }

    void titleBarCloseAnsweredSaveWrites()
    {
        PreferencesHarness harness;
        harness.call("showPreferences");
        harness.child<QAbstractButton>("onTopCheckBox")->click();
        ModalAnswerer save(ModalAnswerer::press(QMessageBox::Save));
        QVERIFY(harness.window()->close());
        QVERIFY(save.shown());
        QVERIFY(storedValue("Playback", "AlwaysOnTop").asBool());
    }

    void cancelKeepsEditsForTheNextShow()
    {
        PreferencesHarness harness;
        harness.call("showPreferences");
        auto* box = harness.child<QCheckBox>("resizeToVideoCheckBox");
        box->click();
        ModalAnswerer guard(ModalAnswerer::press(QMessageBox::Save), 300);
        harness.child<QAbstractButton>("cancelButton")->click();
        QTest::qWait(350);
        QVERIFY(!guard.shown());
        QVERIFY(!harness.window()->isVisible());
        harness.call("showPreferences");
        QVERIFY(box->isChecked());
        QVERIFY(!harness.applyEnabled());
        QVERIFY(!storedValue("Playback", "ResizePlayerToVideo").exists());
    }

    void shutdownOffersToSave()
    {
        PreferencesHarness harness;
        harness.call("showPreferences");
        harness.child<QAbstractButton>("blackoutOnPauseCheckBox")->click();
        auto* shutdown = static_cast<ZelkNimbo::ShutdownInterface*>(harness.interface(ZelkNimbo::InterfaceId::Shutdown));
        ModalAnswerer discard(ModalAnswerer::press(QMessageBox::Discard));
        shutdown->shutdown();
        QVERIFY(discard.shown());
        QVERIFY(!harness.window()->isVisible());
        QVERIFY(!harness.applyEnabled());
        QVERIFY(!storedValue("Playback", "BlackoutWhenPaused").exists());
    }

    void hubMessagesRefreshTheTrackedBoxes()
    {
        PreferencesHarness harness;
        auto* toolTips = harness.child<QCheckBox>("toolTipsCheckBox");
        auto* onTop = harness.child<QCheckBox>("onTopCheckBox");
        QVERIFY(!toolTips->isChecked());
        QVERIFY(storeBool("Playback", "enableToolTips", false));
        QVERIFY(storeBool("Playback", "AlwaysOnTop", true));
        QVERIFY(storeInt("PlayerState", "Volume", 3));

        ZelkNimbo::PubSubHub::publishMessage(QStringLiteral("Preference.Item.Changed"), QStringLiteral("Volume"));
        QCoreApplication::processEvents();
        QVERIFY(!toolTips->isChecked());
        QVERIFY(!onTop->isChecked());

        ZelkNimbo::PubSubHub::publishMessage(QStringLiteral("Preference.Item.Changed"), QStringLiteral("enableToolTips"));
        QCoreApplication::processEvents();
        QVERIFY(toolTips->isChecked());
        QVERIFY(!onTop->isChecked());
        QVERIFY(!harness.applyEnabled());

        harness.child<QAbstractButton>("resizeToVideoCheckBox")->click();
        ZelkNimbo::PubSubHub::publishMessage(QStringLiteral("Preference.Item.Changed"), QStringLiteral("AlwaysOnTop"));
        QCoreApplication::processEvents();
        QVERIFY(onTop->isChecked());
        QVERIFY(harness.applyEnabled()); // other pending edits stay pending
    }

    void frameRateValidator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("three decimals") << QStringLiteral("29.970") << true;
        QTest::newRow("fraction with blanks") << QStringLiteral("30000 / 1001") << true;
        QTest::newRow("whole") << QStringLiteral("25") << true;
        QTest::newRow("preset label") << QStringLiteral("24p (24000/1001)") << true;
        QTest::newRow("zero") << QStringLiteral("0") << false;
        QTest::newRow("leading zero") << QStringLiteral("025") << false;
        QTest::newRow("five digits") << QStringLiteral("12345") << false;
        QTest::newRow("seven decimals") << QStringLiteral("1.1234567") << false;
    }

    void frameRateValidator()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        PreferencesHarness harness;
        const QValidator* validator = harness.child<QComboBox>("subtitleFrameRateComboBox")->validator();
        QVERIFY(validator);
        int position = 0;
        QString input = text;
        QCOMPARE(validator->validate(input, position) == QValidator::Acceptable, accepted);
    }

    void interfaceLanguageSetsTheMinimumWidth()
    {
        PreferencesHarness harness;
        const bool french = ZelkNimbo::OSUtilities::getLanguageCode() == QLatin1String("fr");
        if (qEnvironmentVariableIsSet("ZELK_TEST_EXPECT_FRENCH"))
            QVERIFY(french);
        if (french)
            QCOMPARE(harness.window()->minimumWidth(), 760);
        else
            QVERIFY(harness.window()->minimumWidth() != 760);
    }

    void platformOneHidesTwoBoxesButKeepsTheirSettings()
    {
        QVERIFY(storeBool("Playback", "AlwaysOnTop", true));
        qputenv("ZELK_PLATFORM", "1");
        PreferencesHarness harness;
        qunsetenv("ZELK_PLATFORM");
        auto* onTop = harness.child<QCheckBox>("onTopCheckBox");
        QVERIFY(onTop->isHidden());
        QVERIFY(harness.child<QCheckBox>("hardwareDecodingDisabledCheckBox")->isHidden());
        QVERIFY(onTop->isChecked());
        QVERIFY(harness.call("save"));
        QVERIFY(storedValue("Playback", "AlwaysOnTop").asBool());
        QVERIFY(storedValue("Video", "HardwareDecodingDisabled").exists());
    }

    void otherPlatformsShowThem()
    {
        qputenv("ZELK_PLATFORM", "2");
        PreferencesHarness harness;
        qunsetenv("ZELK_PLATFORM");
        QVERIFY(!harness.child<QCheckBox>("onTopCheckBox")->isHidden());
        QVERIFY(!harness.child<QCheckBox>("hardwareDecodingDisabledCheckBox")->isHidden());
        QVERIFY(harness.child<QCheckBox>("rememberPreviousMovieCheckBox")->isHidden());
    }
};

QTEST_MAIN(PreferencesWiringTest)
#include "preferences_wiring_test.moc"
