#include "host/shell/ShellOptions.h"

#include "host/shell/PreferencesPages.h"
#include "host/shell/Translations.h"

#include <QCommandLineParser>

namespace ZelkShell {

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption preferences(QStringList{QStringLiteral("preferences")});
    const QCommandLineOption page(QStringList{QStringLiteral("page")}, QString(), QStringLiteral("name"));
    const QCommandLineOption render(QStringList{QStringLiteral("render-pages")}, QString(), QStringLiteral("folder"));
    const QCommandLineOption plugins(QStringList{QStringLiteral("plugins")}, QString(), QStringLiteral("folder"));
    const QCommandLineOption language(QStringList{QStringLiteral("language")}, QString(), QStringLiteral("code"));
    for (const QCommandLineOption& option : {help, preferences, page, render, plugins, language})
        parser.addOption(option);

    ParsedCommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    ShellOptions& options = result.options;
    options.showHelp = parser.isSet(help);
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
    return result;
}

QString commandLineHelp()
{
    return QStringLiteral(
               "Usage: zelk-player [options] [file...]\n"
               "\n"
               "Zelk Player: the player's main window with its plug-ins (no video playback).\n"
               "\n"
               "Options:\n"
               "  -h, --help              Show this help and exit.\n"
               "  --preferences           Open the preferences window at start.\n"
               "  --page <name>           Open the preferences window at start on a page:\n"
               "                          %1.\n"
               "  --render-pages <folder> Render every preferences page to a PNG file in\n"
               "                          <folder> (offscreen unless QT_QPA_PLATFORM is set)\n"
               "                          and exit.\n"
               "  --plugins <folder>      Read plug-in descriptors from <folder> instead of\n"
               "                          the default folders; may be given several times.\n"
               "  --language <code>       Show the player and its plug-ins in this language\n"
               "                          (fr, de, es; en for English) instead of the one\n"
               "                          ZELK_LANGUAGE names, or else the user's locale.\n"
               "\n"
               "Settings are read from and written to the registry store\n"
               "(HKEY_CURRENT_USER\\SOFTWARE\\Zelk\\Settings\\<component id>); ZELK_REGISTRY_DIR\n"
               "points it at another folder.\n")
        .arg(preferencesPageNames());
}

} // namespace ZelkShell
