// The shipped translations, end to end: for each language the player installs
// its translators, then builds the real preferences window through its
// plug-in host. Every text of every page and of the three prompts is the
// catalogue's translation, nothing is cut at a usual 10-point desktop font,
// the window fits a 1024x768 screen, and French gets its minimum width.
// A translation that changes a file-type label leaves the keys handed to the
// host library alone.

#include "IsolatedEnvironment.h"
#include "ModalAnswerer.h"
#include "ShellTestSupport.h"

#include "host/library/ZNBLibrary.h"
#include "host/shell/app/Translations.h"
#include "host/shell/plugins/PreferencesPages.h"
#include "host/shell/window/PlayerWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

#include <algorithm>
#include <functional>

using namespace zelktest;

namespace {

const char formContext[] = "PreferencesDialog";
const char moduleContext[] = "ZelkNimbo::ZNBPreferencesPlugin";

// What a widget shows, by kind: a label's or button's text, a group's title,
// a list's or combo box's items.
QStringList textsOf(const QWidget* widget)
{
    QStringList items;
    if (auto* label = qobject_cast<const QLabel*>(widget))
        items << label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        items << button->text();
    else if (auto* group = qobject_cast<const QGroupBox*>(widget))
        items << group->title();
    if (!items.isEmpty())
        return items.constFirst().isEmpty() ? QStringList() : items; // pictures have no text
    if (auto* list = qobject_cast<const QListWidget*>(widget)) {
        for (int row = 0; row < list->count(); ++row)
            items << list->item(row)->text();
    } else if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int index = 0; index < combo->count(); ++index)
            items << combo->itemText(index);
    }
    return items;
}

// Every text the window shows, by object name.
using Texts = QMap<QString, QStringList>;

Texts textsOfWindow(const QWidget* window)
{
    Texts texts;
    texts.insert(QStringLiteral("<window title>"), {window->windowTitle()});
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const QStringList shown = textsOf(widget);
        if (!widget->objectName().isEmpty() && !shown.isEmpty())
            texts.insert(widget->objectName(), shown);
    }
    return texts;
}

// The page `widget` lies on, or -1 for the window frame.
int pageOf(const QWidget* widget, const QStackedWidget* stack)
{
    for (int page = 0; page < stack->count(); ++page) {
        if (stack->widget(page)->isAncestorOf(widget))
            return page;
    }
    return -1;
}

// Widgets of the shown page (and the frame) narrower than their text needs,
// and scroll areas that hide part of their page sideways.
QStringList cutTexts(const QWidget* window)
{
    QStringList problems;
    auto tooNarrow = [&](const QWidget* widget, int needed) {
        if (widget->width() < needed)
            problems << QStringLiteral("%1 is %2 wide, needs %3").arg(widget->objectName()).arg(widget->width()).arg(needed);
    };
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                if (label->height() < label->heightForWidth(label->width()))
                    problems << QStringLiteral("%1 wraps below its height").arg(label->objectName());
            } else {
                tooNarrow(label, label->sizeHint().width());
            }
        } else if (qobject_cast<const QAbstractButton*>(widget)) {
            tooNarrow(widget, widget->sizeHint().width());
        } else if (qobject_cast<const QGroupBox*>(widget)) {
            // A group box's minimum size hint covers its title.
            tooNarrow(widget, widget->minimumSizeHint().width());
        } else if (auto* area = qobject_cast<const QScrollArea*>(widget)) {
            if (area->horizontalScrollBar()->maximum() > 0)
                problems << QStringLiteral("%1 scrolls sideways").arg(area->objectName());
        }
    }
    return problems;
}

// The three widest texts, for a window that does not fit.
QString widestTexts(const QWidget* window)
{
    QMultiMap<int, QString> byWidth;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLabel*>(widget))
            byWidth.insert(widget->sizeHint().width(), widget->objectName());
    }
    QStringList widest;
    for (auto entry = byWidth.constEnd(); entry != byWidth.constBegin() && widest.size() < 3;) {
        --entry;
        widest << QStringLiteral("%1 %2").arg(entry.value()).arg(entry.key());
    }
    return widest.join(QStringLiteral(", "));
}

// What a message box showed: title, text and its standard buttons' texts.
struct Prompt {
    bool shown = false;
    QString title;
    QString text;
    QMap<QMessageBox::StandardButton, QString> buttons;
};

// Runs `trigger`, which opens a message box, and answers it with `answer`.
Prompt answerPrompt(const std::function<void()>& trigger, QMessageBox::StandardButton answer)
{
    Prompt prompt;
    ModalAnswerer answerer([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box) {
            prompt.title = box->windowTitle();
            prompt.text = box->text();
            for (QAbstractButton* button : box->buttons())
                prompt.buttons.insert(box->standardButton(button), button->text());
        }
        ModalAnswerer::press(answer)(modal);
    });
    trigger();
    prompt.shown = answerer.shown();
    return prompt;
}

QString englishButtonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Save: return QStringLiteral("Save");
    case QMessageBox::Discard: return QStringLiteral("Discard");
    case QMessageBox::Cancel: return QStringLiteral("Cancel");
    case QMessageBox::Yes: return QStringLiteral("&Yes");
    case QMessageBox::No: return QStringLiteral("&No");
    default: return QString();
    }
}

// A translation that renames two file-type labels, as a translator might.
class RenamingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, formContext) != 0)
            return QString();
        if (qstrcmp(source, ".mpg/.mpeg") == 0)
            return QStringLiteral("MPEG (.mpg, .mpeg)");
        if (qstrcmp(source, ".avi") == 0)
            return QStringLiteral("AVI");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TranslatedWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A usual desktop size; the offscreen platform's default is larger.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        clearStore();
        QVERIFY(ZelkShell::installTranslations(QStringLiteral("en")).loaded.isEmpty());
        ZelkShell::PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        QString error;
        auto* window = qobject_cast<QWidget*>(plugins.preferencesWindow(&error));
        QVERIFY2(window, qPrintable(error));
        english = textsOfWindow(window);
        englishMinimumWidth = window->minimumWidth();
        plugins.shutdownPlugins();
    }

    void cleanup()
    {
        ZelkShell::installTranslations(QStringLiteral("en"));
        qunsetenv(ZelkShell::languageVariable);
        clearStore();
    }

    void windowInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : {"fr", "de", "es"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void windowInEachLanguage()
    {
        QFETCH(QString, language);
        const ZelkShell::InstalledTranslations installed = ZelkShell::installTranslations(language);
        QCOMPARE(installed.language, language);
        QVERIFY2(installed.warnings.isEmpty(), qPrintable(installed.warnings.join(QLatin1Char('\n'))));
        QCOMPARE(installed.loaded.size(), 3);
        // The catalogues, read again, say what each text must read.
        QTranslator module;
        QTranslator qt;
        QVERIFY(module.load(installed.loaded.filter(QStringLiteral("ZNBPreferencesPlugin_")).value(0)));
        QVERIFY(qt.load(installed.loaded.filter(QStringLiteral("qtbase_")).value(0)));

        ZelkShell::PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        QString error;
        auto* window = qobject_cast<QWidget*>(plugins.preferencesWindow(&error));
        QVERIFY2(window, qPrintable(error));
        // French widens the window as it is built; the layout keeps it at
        // least that wide once shown.
        const bool french = language == QLatin1String("fr");
        QCOMPARE(window->minimumWidth(), french ? 760 : englishMinimumWidth);
        QVERIFY(plugins.showPreferences(0, &error));
        auto* stack = window->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
        auto* list = window->findChild<QListWidget*>(QStringLiteral("listBox"));
        QVERIFY(stack && list);

        // Every text is the catalogue's translation of the English one; each
        // page shows some text that differs from English.
        const Texts shown = textsOfWindow(window);
        QCOMPARE(shown.keys(), english.keys());
        QVector<int> translatedOnPage(stack->count() + 1);
        QStringList untranslated;
        // The language lists name the languages in the interface language,
        // as the host library gives them; their stored values stay the codes.
        const QMap<QString, QString> languageNames = ZelkNimbo::ZNBStringTools::twoLetterLanguageCodeMap();
        for (const char* name : {"subtitleTrackComboBox", "audioTrackComboBox", "menuTrackComboBox"}) {
            const auto* languages = window->findChild<QComboBox*>(QLatin1String(name));
            QVERIFY(languages && languages->count() == english.value(QLatin1String(name)).size());
            for (int i = 0; i < languages->count(); ++i) {
                const QString code = languages->itemData(i).toString();
                const QString expected = code.isEmpty() ? module.translate(moduleContext, "None") : languageNames.value(code);
                if (languages->itemText(i) != expected)
                    untranslated << QStringLiteral("%1: \"%2\" shows \"%3\"").arg(QLatin1String(name), expected, languages->itemText(i));
            }
            QVERIFY(languages->itemText(languages->findData(QStringLiteral("de"))) != QLatin1String("German"));
        }
        for (auto entry = english.constBegin(); entry != english.constEnd(); ++entry) {
            const QWidget* widget = window->findChild<QWidget*>(entry.key());
            if (entry.key().endsWith(QLatin1String("TrackComboBox")))
                continue;
            const bool listed = qobject_cast<const QComboBox*>(widget) != nullptr;
            const QStringList& now = shown.value(entry.key());
            QCOMPARE(now.size(), entry->size());
            for (int i = 0; i < entry->size(); ++i) {
                const QByteArray source = entry->at(i).toUtf8();
                // Combo boxes also list names from the host library and the
                // video output plug-ins, which are not the module's texts.
                QString expected = module.translate(listed ? moduleContext : formContext, source.constData());
                if (expected.isEmpty() && listed)
                    expected = entry->at(i);
                if (expected.isEmpty() || now.at(i) != expected)
                    untranslated << QStringLiteral("%1: \"%2\" shows \"%3\"").arg(entry.key(), entry->at(i), now.at(i));
                else if (now.at(i) != entry->at(i))
                    ++translatedOnPage[pageOf(widget, stack) + 1];
            }
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
        for (int page = 0; page < stack->count(); ++page)
            QVERIFY2(translatedOnPage[page + 1] > 0, qPrintable(ZelkShell::preferencesPageName(page)));

        // Nothing is cut on any page, the page names fit the list, and the
        // window fits the screen.
        QStringList problems;
        for (int page = 0; page < stack->count(); ++page) {
            QVERIFY(ZelkShell::selectPreferencesPage(window, page));
            QCoreApplication::processEvents();
            for (const QString& problem : cutTexts(window))
                problems << ZelkShell::preferencesPageName(page) + QStringLiteral(": ") + problem;
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        QVERIFY(list->width() <= 190);
        QVERIFY2(list->sizeHintForColumn(0) <= list->viewport()->width(),
                 qPrintable(QStringLiteral("page names need %1 of %2").arg(list->sizeHintForColumn(0)).arg(list->viewport()->width())));
        QVERIFY2(window->width() <= 1024 && window->height() <= 768,
                 qPrintable(QStringLiteral("%1x%2, widest: %3").arg(window->width()).arg(window->height()).arg(widestTexts(window))));
        if (french)
            QVERIFY(window->width() >= 760);

        // The three prompts: the module's texts and Qt's standard buttons.
        auto checkPrompt = [&](const Prompt& prompt, const char* title, const char* text,
                               QList<QMessageBox::StandardButton> buttons) {
            QVERIFY(prompt.shown);
            QCOMPARE(prompt.title, module.translate(moduleContext, title));
            QCOMPARE(prompt.text, module.translate(moduleContext, text));
            QVERIFY(prompt.title != QLatin1String(title));
            std::sort(buttons.begin(), buttons.end());
            QCOMPARE(prompt.buttons.keys(), buttons);
            bool anyTranslated = false;
            for (QMessageBox::StandardButton button : buttons) {
                const QString source = englishButtonText(button);
                QCOMPARE(prompt.buttons.value(button), qt.translate("QPlatformTheme", source.toUtf8().constData()));
                anyTranslated = anyTranslated || prompt.buttons.value(button) != source;
            }
            QVERIFY(anyTranslated);
        };
        QVERIFY(ZelkShell::selectPreferencesPage(window, 0));
        window->findChild<QCheckBox*>(QStringLiteral("toolTipsCheckBox"))->click();
        checkPrompt(answerPrompt([&] { window->close(); }, QMessageBox::Cancel), "Save changes?",
                    "The current settings have not been saved. Would you like to save them?",
                    {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel});
        QVERIFY(window->isVisible());

        QVERIFY(ZelkShell::selectPreferencesPage(window, 4));
        auto* reset = window->findChild<QAbstractButton*>(QStringLiteral("globalResetButton"));
        checkPrompt(answerPrompt([&] { reset->click(); }, QMessageBox::No), "Global Reset",
                    "All current preference settings will be reset to default values. Are you really sure?",
                    {QMessageBox::Yes, QMessageBox::No});

        auto* outputs = window->findChild<QComboBox*>(QStringLiteral("videoOutputMethodComboBox"));
        QVERIFY(outputs->count() > 1);
        outputs->setCurrentIndex(1);
        auto* apply = window->findChild<QAbstractButton*>(QStringLiteral("applyButton"));
        checkPrompt(answerPrompt([&] { apply->click(); }, QMessageBox::Cancel), "Restart Zelk Player",
                    "You will need to restart Zelk Player in order for your changes to take effect. If you do not "
                    "restart now you will not be able to watch any videos until you restart Zelk Player. Would you "
                    "like to quit now?",
                    {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel});
        plugins.shutdownPlugins();
    }

    // In every language, no two entries of a menu (nor two menus of the
    // menu bar) share an access key: Alt and the letter reach exactly one.
    void playerMenusHaveDistinctAccessKeys_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : {"en", "fr", "de", "es"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void playerMenusHaveDistinctAccessKeys()
    {
        QFETCH(QString, language);
        QCOMPARE(ZelkShell::installTranslations(language).language, language);
        ZelkShell::PluginHost plugins;
        ZelkShell::PlayerWindow player(plugins);
        const auto checkDistinct = [](const QList<QAction*>& actions, const QString& where) {
            QMap<QKeySequence, QString> taken;
            for (const QAction* action : actions) {
                const QKeySequence key = QKeySequence::mnemonic(action->text());
                if (action->isSeparator() || key.isEmpty())
                    continue;
                QVERIFY2(!taken.contains(key), qPrintable(QStringLiteral("%1: \"%2\" and \"%3\" share %4")
                                                                 .arg(where, taken.value(key), action->text(),
                                                                      key.toString())));
                taken.insert(key, action->text());
            }
        };
        checkDistinct(player.menuBar()->actions(), QStringLiteral("menu bar"));
        int menus = 0;
        for (const QAction* entry : player.menuBar()->actions()) {
            if (QMenu* menu = entry->menu()) {
                ++menus;
                checkDistinct(menu->actions(), menu->title());
            }
        }
        QCOMPARE(menus, 4);
    }

    void fileTypeKeysIgnoreTranslatedLabels()
    {
        const QString log = QString::fromStdString(isolatedEnvironment().root()) + QStringLiteral("/associations.log");
        qputenv("ZELK_ASSOCIATION_LOG", log.toUtf8());
        RenamingTranslator renaming;
        QVERIFY(QCoreApplication::installTranslator(&renaming));
        {
            PreferencesHarness harness;
            QVERIFY(harness.created());
            QCOMPARE(harness.child<QCheckBox>("mpg_mpegCheckBox")->text(), QStringLiteral("MPEG (.mpg, .mpeg)"));
            // Every file-type box changed, then saved: the keys are the
            // form's labels, whatever the boxes read.
            const QList<QCheckBox*> boxes = harness.child<QGroupBox>("FileAssociationGroupBox")->findChildren<QCheckBox*>();
            QCOMPARE(boxes.size(), 11);
            for (QCheckBox* box : boxes)
                box->click();
            QVERIFY(harness.call("save"));
        }
        QCoreApplication::removeTranslator(&renaming);
        qunsetenv("ZELK_ASSOCIATION_LOG");
        QFile requests(log);
        QVERIFY(requests.open(QIODevice::ReadOnly | QIODevice::Text));
        // avi, zelk and mkv are on by default, so ticking them turns them off.
        QCOMPARE(QString::fromUtf8(requests.readAll()).trimmed(),
                 QStringLiteral(".asf=1 .avi=0 .mkv=0 .mov=1 .mp4=1 .mpeg=1 .mpg=1 .qt=1 .vob=1 .wmv=1 .xvid=1 .zelk=0"));
    }

private:
    Texts english;
    int englishMinimumWidth = 0;
};

QTEST_MAIN(TranslatedWindowTest)
#include "translated_window_test.moc"
