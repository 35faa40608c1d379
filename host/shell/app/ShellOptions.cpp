#include "host/shell/app/ShellOptions.h"

#include "host/shell/app/InstalledPaths.h"
#include "host/shell/app/Translations.h"
#include "host/shell/behaviour/StoredPaths.h"
#include "host/shell/plugins/PreferencesPages.h"

#include <QCommandLineParser>

namespace ZelkShell {

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("version")});
    const QCommandLineOption preferences(QStringList{QStringLiteral("preferences")});
    const QCommandLineOption page(QStringList{QStringLiteral("page")}, QString(), QStringLiteral("name"));
    const QCommandLineOption render(QStringList{QStringLiteral("render-pages")}, QString(), QStringLiteral("folder"));
    const QCommandLineOption plugins(QStringList{QStringLiteral("plugins")}, QString(), QStringLiteral("folder"));
    const QCommandLineOption language(QStringList{QStringLiteral("language")}, QString(), QStringLiteral("code"));
    const QCommandLineOption start(QStringList{QStringLiteral("start")}, QString(), QStringLiteral("seconds"));
    const QCommandLineOption paused(QStringList{QStringLiteral("paused")});
    const QCommandLineOption frameAt(QStringList{QStringLiteral("frame-at")}, QString(), QStringLiteral("seconds"));
    const QCommandLineOption output(QStringList{QStringLiteral("output")}, QString(), QStringLiteral("file"));
    const QCommandLineOption download(QStringList{QStringLiteral("download")}, QString(), QStringLiteral("url"));
    QCommandLineOption firstFrame(QStringList{QStringLiteral("quit-on-first-frame")});
    firstFrame.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption onDemand(QStringList{QStringLiteral("preferences-on-demand")});
    onDemand.setFlags(QCommandLineOption::HiddenFromHelp);
    for (const QCommandLineOption& option : {help, version, preferences, page, render, plugins, language, start, paused,
                                             frameAt, output, download, firstFrame, onDemand})
        parser.addOption(option);

    ParsedCommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    ShellOptions& options = result.options;
    options.showHelp = parser.isSet(help);
    options.showVersion = parser.isSet(version);
    options.openPreferences = parser.isSet(preferences);
    if (parser.isSet(page)) {
        options.page = preferencesPageRow(parser.value(page));
        if (options.page < 0) {
            result.error = QStringLiteral("Unknown page \"%1\"; the pages are: %2.")
                               .arg(parser.value(page), preferencesPageNames());
            return result;
        }
        options.openPreferences = true;
    }
    if (parser.isSet(render)) {
        options.renderPagesTo = parser.value(render);
        if (options.renderPagesTo.isEmpty()) {
            result.error = QStringLiteral("--render-pages needs a folder.");
            return result;
        }
    }
    if (parser.isSet(language)) {
        options.language = normalisedLanguageCode(parser.value(language));
        if (options.language.isEmpty()) {
            result.error = QStringLiteral("Unknown language \"%1\"; give a two-letter code such as fr, de or es.")
                               .arg(parser.value(language));
            return result;
        }
    }
    options.pluginFolders = parser.values(plugins);
    options.files = parser.positionalArguments();
    options.downloads = parser.values(download);
    const auto seconds = [&result](const QCommandLineOption& option, const QString& text, double* out) {
        bool ok = false;
        *out = text.toDouble(&ok);
        if (!ok || *out < 0)
            result.error = QStringLiteral("--%1 needs a number of seconds, not \"%2\".").arg(option.names().first(), text);
        return ok && *out >= 0;
    };
    if (parser.isSet(start) && !seconds(start, parser.value(start), &options.startSeconds))
        return result;
    options.startPaused = parser.isSet(paused);
    options.quitOnFirstFrame = parser.isSet(firstFrame);
    options.preferencesOnDemand = parser.isSet(onDemand);
    if (parser.isSet(frameAt) || parser.isSet(output)) {
        options.grabFrame = true;
        if (!parser.isSet(frameAt) || !parser.isSet(output) || parser.value(output).isEmpty()) {
            result.error = QStringLiteral("--frame-at and --output go together.");
            return result;
        }
        options.frameOutput = parser.value(output);
        if (!seconds(frameAt, parser.value(frameAt), &options.frameAtSeconds))
            return result;
        if (options.files.size() != 1) {
            result.error = QStringLiteral("--frame-at needs exactly one video file.");
            return result;
        }
    }
    return result;
}

QString commandLineHelp()
{
    return QStringLiteral(
               "Usage: zelk-player [options] [file...]\n"
               "\n"
               "Zelk Player: plays video files, with the settings of its preferences.\n"
               "\n"
               "Options:\n"
               "  -h, --help              Show this help and exit.\n"
               "  --version               Show the version and exit.\n"
               "  --preferences           Open the preferences window at start.\n"
               "  --page <name>           Open the preferences window at start on a page:\n"
               "                          %1.\n"
               "  --render-pages <folder>\n"
               "                          Render every preferences page to a PNG file in\n"
               "                          <folder> (offscreen unless QT_QPA_PLATFORM is set)\n"
               "                          and exit.\n"
               "  --plugins <folder>      Read plug-in descriptors from <folder> instead of\n"
               "                          the default folders; may be given several times.\n"
               "  --language <code>       Show the player and its plug-ins in this language\n"
               "                          (fr, de, es; en for English) instead of the one\n"
               "                          ZELK_LANGUAGE names, or else the user's locale.\n"
               "  --start <seconds>       Start the first file at this time.\n"
               "  --paused                Start the first file paused.\n"
               "  --download <url>        Add an http or https address to the download\n"
               "                          queue; the file is saved in the default video\n"
               "                          folder. May be given several times.\n"
               "  --frame-at <seconds> --output <file.png>\n"
               "                          Render the frame the file shows at this time, with\n"
               "                          subtitles and the stored picture settings, into\n"
               "                          <file.png> and exit (no display needed).\n"
               "\n"
               "Keys in the player window:\n"
               "  Space                   Play or pause.\n"
               "  Left, Right             Seek 5 seconds back or forward.\n"
               "  Up, Down                Volume up or down.\n"
               "  F, Esc                  Full screen; leave full screen.\n"
               "  Ctrl+O                  Open a video.\n"
               "  Ctrl+P                  Preferences (also the desktop's own key for\n"
               "                          preferences, where it has one).\n"
               "  Ctrl+Q                  Quit.\n"
               "  Media keys              Play, pause, stop, next and previous file, through\n"
               "                          the desktop's media controls (MPRIS).\n"
               "\n"
               "Settings are read from and written to the registry store\n"
               "(HKEY_CURRENT_USER\\SOFTWARE\\Zelk\\Settings\\<component id>); ZELK_REGISTRY_DIR\n"
               "points it at another folder.\n")
        .arg(preferencesPageNames());
}

QString versionText()
{
    return QStringLiteral("zelk-player %1\n").arg(InstalledPaths::version());
}

} // namespace ZelkShell
