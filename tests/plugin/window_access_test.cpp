// The window for keyboard and screen-reader users, through the real module.
// Names: on every page, in each shipped language, every control that takes
// focus is announced by a name of its own (not empty, not its group's title,
// not shared with another control of the page), the window is announced as
// a dialog, and the language lists name languages in the interface language.
// Keys: Escape closes as the title bar does (asking about unsaved changes,
// losing nothing), Return saves from a check box but picks the item in an
// open list, Ctrl+Tab and Ctrl+PageUp walk the pages. Title images: drawn
// from the artwork for the screen's scale, one artwork pixel per screen pixel
// (run again with QT_SCALE_FACTOR=2).

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "PreferencesHarness.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

using namespace zelktest;

namespace {

// As the player does, before the application object exists.
const bool highDpiPixmaps = [] {
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    return true;
}();

// A name as heard: without access-key marks, closing colon, case or blanks.
QString heard(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xa0)))
        text.chop(1);
    return text.trimmed().toCaseFolded();
}

QString groupTitleOf(const QWidget* widget)
{
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (auto* group = qobject_cast<const QGroupBox*>(up))
            return group->title();
    }
    return QString();
}

// The controls a user can tab to among `root`'s descendants, without the
// inner editors of spin boxes and editable lists (their owner is the control).
QList<QWidget*> focusableControls(QWidget* root, QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(window))
            continue;
        QWidget* parent = widget->parentWidget();
        if (qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent))
            continue;
        controls << widget;
    }
    return controls;
}

// Checks the names of `controls`, heard as one page.
void checkNames(const QList<QWidget*>& controls, const QString& page)
{
    QHash<QString, QString> owners; // heard name -> object name
    for (QWidget* control : controls) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(access, qPrintable(control->objectName()));
        const QString name = access->text(QAccessible::Name);
        const QString where = page + QStringLiteral(": ") + control->objectName();
        QVERIFY2(!heard(name).isEmpty(), qPrintable(where + QStringLiteral(" has no name")));
        const QString group = groupTitleOf(control);
        QVERIFY2(group.isEmpty() || heard(name) != heard(group),
                 qPrintable(where + QStringLiteral(" is named by its group: ") + name));
        QVERIFY2(!owners.contains(heard(name)),
                 qPrintable(where + QStringLiteral(" shares its name \"") + name + QStringLiteral("\" with ")
                            + owners.value(heard(name))));
        owners.insert(heard(name), control->objectName());
    }
}

void press(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

} // namespace

class WindowAccessTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }

    void everyControlIsNamed_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("german"); // the name of German in that language
        QTest::newRow("en") << "en" << "German";
        QTest::newRow("fr") << "fr" << "allemand";
        QTest::newRow("de") << "de" << "Deutsch";
        QTest::newRow("es") << "es" << "alemán";
    }

    void everyControlIsNamed()
    {
        QFETCH(QString, language);
        QFETCH(QString, german);
        qputenv("ZELK_LANGUAGE", language.toLatin1());
        QTranslator translator;
        if (language != QLatin1String("en")) {
            QVERIFY(translator.load(QStringLiteral("ZNBPreferencesPlugin_") + language,
                                    QStringLiteral(ZELK_TEST_TRANSLATIONS_DIR)));
            QVERIFY(QCoreApplication::installTranslator(&translator));
        }
        {
            PreferencesHarness harness;
            QVERIFY(harness.created());
            QWidget* window = harness.window();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));

            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(window);
            QVERIFY(access);
            QCOMPARE(access->role(), QAccessible::Dialog);
            QCOMPARE(access->text(QAccessible::Name), window->windowTitle());

            auto* pages = harness.child<QStackedWidget>("stackedWidget");
            auto* list = harness.child<QListWidget>("listBox");
            QList<QWidget*> outsidePages = focusableControls(window, window);
            for (int row = 0; row < pages->count(); ++row) {
                list->setCurrentRow(row);
                QWidget* page = pages->widget(row);
                const QList<QWidget*> controls = focusableControls(page, window);
                QVERIFY(!controls.isEmpty());
                checkNames(controls, page->objectName());
                for (QWidget* control : controls)
                    outsidePages.removeAll(control);
            }
            // The page list and the button row, heard with every page.
            QVERIFY(outsidePages.contains(list));
            checkNames(outsidePages, QStringLiteral("window"));

            // Named by their label, valued by their item: the language lists
            // in the interface language, the stored value still the code.
            auto* audio = harness.child<QComboBox>("audioTrackComboBox");
            const int germanRow = audio->findText(german);
            QVERIFY2(germanRow >= 0, qPrintable(german));
            QCOMPARE(audio->itemData(germanRow).toString(), QStringLiteral("de"));
            audio->setCurrentIndex(germanRow);
            QAccessibleInterface* audioAccess = QAccessible::queryAccessibleInterface(audio);
            QCOMPARE(audioAccess->text(QAccessible::Value), german);
            QVERIFY(audioAccess->text(QAccessible::Name) != german);
        }
        QCoreApplication::removeTranslator(&translator);
        qunsetenv("ZELK_LANGUAGE");
    }

    void titleImagesMatchTheScreenScale()
    {
        QVERIFY(highDpiPixmaps);
        PreferencesHarness harness;
        QVERIFY(harness.created());
        QWidget* window = harness.window();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const int scale = qRound(window->devicePixelRatioF());
        const QString suffix = scale > 1 ? QStringLiteral("@2x") : QString();
        const struct {
            const char* label;
            const char* image;
        } titles[] = {{"titlePixmap", ":/Titles/General"},   {"titlePixmap_4", ":/Titles/Video"},
                      {"titlePixmap_5", ":/Titles/Playback"}, {"titlePixmap_2", ":/Titles/Subtitle"},
                      {"titlePixmap_3", ":/Titles/Advanced"}};
        auto* list = harness.child<QListWidget>("listBox");
        for (int row = 0; row < 5; ++row) {
            list->setCurrentRow(row);
            QCoreApplication::processEvents();
            auto* label = harness.child<QLabel>(titles[row].label);
            const QImage artwork =
                QImage(QString::fromLatin1(titles[row].image) + suffix).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(artwork.width(), 46 * qMin(scale, 2));
            const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.copy(QRect(QPoint(scale, scale), artwork.size())), artwork);
        }
    }

    void keysWorkAsInADialog()
    {
        PreferencesHarness harness;
        QVERIFY(harness.created());
        QWidget* window = harness.window();
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* list = harness.child<QListWidget>("listBox");
        auto* pages = harness.child<QStackedWidget>("stackedWidget");

        // Ctrl+Tab walks all five pages and comes back; Ctrl+PageUp and
        // Ctrl+Shift+Tab go back.
        list->setFocus();
        QCOMPARE(pages->currentIndex(), 0);
        for (int expected : {1, 2, 3, 4, 0}) {
            press(window, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(pages->currentIndex(), expected);
            QCOMPARE(list->currentRow(), expected);
        }
        press(window, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), 4);
        press(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pages->currentIndex(), 3);
        press(window, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), 4);

        // A stray Escape without changes closes the window, asking nothing.
        {
            ModalAnswerer unexpected(ModalAnswerer::press(QMessageBox::Cancel));
            press(window, Qt::Key_Escape);
            QVERIFY(!unexpected.shown());
            QVERIFY(!window->isVisible());
        }

        // With an unsaved change, Escape asks; Cancel keeps the window and
        // the change.
        QVERIFY(harness.call("showPreferences"));
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        list->setCurrentRow(2);
        auto* screenSaver = harness.child<QCheckBox>("screenSaverCheckBox");
        const bool before = screenSaver->isChecked();
        screenSaver->setFocus();
        QTest::keyClick(screenSaver, Qt::Key_Space);
        QCOMPARE(screenSaver->isChecked(), !before);
        QVERIFY(harness.applyEnabled());
        {
            ModalAnswerer answer(ModalAnswerer::press(QMessageBox::Cancel));
            press(window, Qt::Key_Escape);
            QVERIFY(answer.shown());
            QCOMPARE(answer.title(), QStringLiteral("Save changes?"));
        }
        QVERIFY(window->isVisible());
        QCOMPARE(screenSaver->isChecked(), !before);
        QVERIFY(harness.applyEnabled());
        QVERIFY(!storedValue("Playback", "DisableScreenSaver").exists());

        // In an open list Return picks the item; the window stays open.
        auto* audio = harness.child<QComboBox>("audioTrackComboBox");
        const int audioBefore = audio->currentIndex();
        audio->setFocus();
        audio->showPopup();
        QTRY_VERIFY(audio->view()->isVisible());
        QTest::keyClick(audio->view(), audioBefore + 1 < audio->count() ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(audio->view(), Qt::Key_Return);
        QTRY_VERIFY(!audio->view()->isVisible());
        QVERIFY(window->isVisible());
        QVERIFY(audio->currentIndex() != audioBefore);

        // Return from the check box does what OK does: saves and closes.
        QApplication::setActiveWindow(window);
        screenSaver->setFocus();
        QCOMPARE(QApplication::focusWidget(), screenSaver);
        press(window, Qt::Key_Return);
        QVERIFY(!window->isVisible());
        QVERIFY(storedValue("Playback", "DisableScreenSaver").exists());
        QCOMPARE(storedValue("Playback", "DisableScreenSaver").asBool(), !before);
        QCOMPARE(storedValue("Languages", "AudioLanguage").asString(), audio->currentData().toString());
        QVERIFY(!harness.applyEnabled());
    }
};

QTEST_MAIN(WindowAccessTest)
#include "window_access_test.moc"
