// The player's command line: parsing, --help, --page in process, and the
// built player run as the README runs it (help, a wrong page, the headless
// page pictures).

#include "IsolatedEnvironment.h"
#include "ShellTestSupport.h"

#include "host/shell/app/ShellOptions.h"
#include "host/shell/plugins/PreferencesPages.h"
#include "host/shell/window/PlayerWindow.h"

#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelktest;
using ZelkShell::parseCommandLine;

namespace {

struct Run {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built player; `environment` adds NAME=value entries to this
// process's environment.
Run runPlayer(const QStringList& arguments, const QStringList& environment = {})
{
    QProcess player;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : environment)
        variables.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    player.setProcessEnvironment(variables);
    player.start(zelktest::testPlayerPath(), arguments);
    Run run;
    run.finished = player.waitForFinished(60000);
    if (!run.finished)
        player.kill();
    run.exitCode = player.exitStatus() == QProcess::NormalExit ? player.exitCode() : -1;
    run.out = QString::fromUtf8(player.readAllStandardOutput());
    run.err = QString::fromUtf8(player.readAllStandardError());
    return run;
}

QStringList args(std::initializer_list<const char*> list)
{
    QStringList out{QStringLiteral("zelk-player")};
    for (const char* item : list)
        out << QString::fromUtf8(item);
    return out;
}

} // namespace

class PlayerCommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void parsesWhatThePlayerIsAskedToDo()
    {
        auto parsed = parseCommandLine(args({}));
        QVERIFY(parsed.error.isEmpty());
        QVERIFY(!parsed.options.openPreferences);
        QVERIFY(!parsed.options.showHelp);
        QVERIFY(parsed.options.renderPagesTo.isEmpty());

        parsed = parseCommandLine(args({"--preferences"}));
        QVERIFY(parsed.options.openPreferences);
        QCOMPARE(parsed.options.page, -1);

        // A page opens the window by itself, named as on the command line or
        // as in the page list.
        parsed = parseCommandLine(args({"--page", "video-library"}));
        QVERIFY(parsed.options.openPreferences);
        QCOMPARE(parsed.options.page, 1);
        QCOMPARE(parseCommandLine(args({"--page", "Video Library"})).options.page, 1);
        QCOMPARE(parseCommandLine(args({"--page=ADVANCED"})).options.page, 4);

        parsed = parseCommandLine(args({"--render-pages", "/tmp/x", "--plugins", "a", "--plugins", "b", "film.mkv"}));
        QCOMPARE(parsed.options.renderPagesTo, QStringLiteral("/tmp/x"));
        QCOMPARE(parsed.options.pluginFolders, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(parsed.options.files, QStringList{QStringLiteral("film.mkv")});

        QVERIFY(parseCommandLine(args({"-h"})).options.showHelp);

        // A language is named by its code, with or without a country.
        QVERIFY(parseCommandLine(args({})).options.language.isEmpty());
        QCOMPARE(parseCommandLine(args({"--language", "fr"})).options.language, QStringLiteral("fr"));
        QCOMPARE(parseCommandLine(args({"--language=DE-at"})).options.language, QStringLiteral("de"));
    }

    void rejectsWrongCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("unknown page") << args({"--page", "Codecs"}) << QStringLiteral("Codecs");
        QTest::newRow("page without name") << args({"--page"}) << QStringLiteral("page");
        QTest::newRow("unknown option") << args({"--fullscreen"}) << QStringLiteral("fullscreen");
        QTest::newRow("empty render folder") << args({"--render-pages="}) << QStringLiteral("render-pages");
        QTest::newRow("unknown language") << args({"--language", "klingon"}) << QStringLiteral("klingon");
    }

    void rejectsWrongCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mentions);
        const auto parsed = parseCommandLine(arguments);
        QVERIFY(parsed.error.contains(mentions));
    }

    void pageOpensThePreferencesOnThatPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        for (int row = 0; row < ZelkShell::preferencesPageCount; ++row)
            QTest::newRow(qPrintable(ZelkShell::preferencesPageName(row))) << ZelkShell::preferencesPageName(row) << row;
    }

    void pageOpensThePreferencesOnThatPage()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        const auto parsed = parseCommandLine({QStringLiteral("zelk-player"), QStringLiteral("--page"), name});
        QVERIFY(parsed.error.isEmpty());
        ZelkShell::PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        ZelkShell::PlayerWindow player(plugins);
        QVERIFY(player.openPreferences(parsed.options.page));
        auto* window = qobject_cast<QWidget*>(plugins.existingPreferencesWindow());
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("listBox"))->currentRow(), row);
        QCOMPARE(window->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"))->currentIndex(), row);
    }

    void helpListsTheOptionsAndPages()
    {
        const Run run = runPlayer({QStringLiteral("--help")});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        for (const char* expected : {"--preferences", "--page", "--render-pages", "--plugins", "--language",
                                     "ZELK_LANGUAGE", "--help"})
            QVERIFY2(run.out.contains(QLatin1String(expected)), expected);
        QVERIFY(run.out.contains(ZelkShell::preferencesPageNames()));
    }

    void wrongPageStopsBeforeAnyWindow()
    {
        const Run run = runPlayer({QStringLiteral("--page"), QStringLiteral("Codecs")});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("Codecs")));
        QVERIFY(run.err.contains(ZelkShell::preferencesPageNames()));
    }

    void headlessModeWritesEveryPage()
    {
        QTemporaryDir out;
        const QString folder = out.filePath(QStringLiteral("pages"));
        const Run run = runPlayer({QStringLiteral("--render-pages"), folder});
        QVERIFY(run.finished);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
        QCOMPARE(files, (QStringList{QStringLiteral("page-0-general.png"), QStringLiteral("page-1-video-library.png"),
                                     QStringLiteral("page-2-playback.png"), QStringLiteral("page-3-subtitles.png"),
                                     QStringLiteral("page-4-advanced.png")}));
        QSize first;
        QSet<QByteArray> contents;
        for (const QString& file : files) {
            const QImage picture(QDir(folder).filePath(file));
            QVERIFY2(!picture.isNull(), qPrintable(file));
            // The whole window each time, showing a different page.
            if (first.isEmpty())
                first = picture.size();
            QCOMPARE(picture.size(), first);
            contents.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()), int(picture.sizeInBytes())));
        }
        QVERIFY(first.width() > 400 && first.height() > 400);
        QCOMPARE(contents.size(), 5);
        QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 5);
    }

    // The pages drawn by the built player: --language, then ZELK_LANGUAGE,
    // then the locale (C here, so English) choose the language.
    void languageOptionAndVariableChooseTheLanguage()
    {
        QTemporaryDir out;
        auto render = [&](const char* name, const QStringList& arguments, const QStringList& environment) {
            const QString folder = out.filePath(QLatin1String(name));
            const Run run = runPlayer(QStringList{QStringLiteral("--render-pages"), folder} + arguments, environment);
            QImage picture;
            if (run.finished && run.exitCode == 0)
                picture.load(QDir(folder).filePath(QStringLiteral("page-1-video-library.png")));
            return std::make_pair(picture, run.err);
        };
        const auto german = render("option", {QStringLiteral("--language"), QStringLiteral("de")}, {});
        const auto fromVariable = render("variable", {}, {QStringLiteral("ZELK_LANGUAGE=de")});
        const auto overridden = render("overridden", {QStringLiteral("--language"), QStringLiteral("en")},
                                       {QStringLiteral("ZELK_LANGUAGE=de")});
        const auto english = render("locale", {}, {});
        const auto unshipped = render("unshipped", {QStringLiteral("--language"), QStringLiteral("it")}, {});
        for (const auto* run : {&german, &fromVariable, &overridden, &english, &unshipped})
            QVERIFY2(!run->first.isNull(), qPrintable(run->second));
        QVERIFY(german.first != english.first);
        QCOMPARE(fromVariable.first, german.first);
        QCOMPARE(overridden.first, english.first);
        // A language without translations stays English, and says so.
        QCOMPARE(unshipped.first, english.first);
        QVERIFY(unshipped.second.contains(QStringLiteral("no translation")));
        QVERIFY2(!german.second.contains(QStringLiteral("translation")), qPrintable(german.second));
    }

    void headlessModeWithoutPluginsFails()
    {
        QTemporaryDir empty;
        const Run run = runPlayer({QStringLiteral("--plugins"), empty.path(), QStringLiteral("--render-pages"),
                                   empty.filePath(QStringLiteral("pages"))});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("no plug-ins")));
        QVERIFY(!QDir(empty.filePath(QStringLiteral("pages"))).exists());
    }
};

QTEST_MAIN(PlayerCommandLineTest)
#include "player_command_line_test.moc"
