#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// What the command line asks the player to do.
struct ShellOptions {
    bool showHelp = false;
    bool showVersion = false;
    // Open the preferences window at start; `page` < 0 keeps the window's page.
    bool openPreferences = false;
    int page = -1;
    // Non-empty: render each preferences page into this folder and exit.
    QString renderPagesTo;
    // Folders of plug-in descriptors; empty means the default folders.
    QStringList pluginFolders;
    // The interface language asked for ("fr"); empty: ZELK_LANGUAGE or the
    // user's locale.
    QString language;
    // Video files named on the command line; the first one plays.
    QStringList files;
    // Addresses to add to the download queue at start (--download URL).
    QStringList downloads;
    // Where the first file starts, in seconds, and whether it starts paused.
    double startSeconds = 0.0;
    bool startPaused = false;
    // Headless frame grab: the frame at `frameAtSeconds` of the first file,
    // written to `frameOutput`.
    bool grabFrame = false;
    double frameAtSeconds = 0.0;
    QString frameOutput;
    // For the benchmark and tests: quit as soon as the first frame of the
    // first file is drawn, after printing "first-frame SECONDS paused|playing"
    // (a hidden option).
    bool quitOnFirstFrame = false;
    // Build the preferences window when it is first opened, not ahead at
    // start (a hidden option: the benchmark measures what building ahead
    // costs).
    bool preferencesOnDemand = false;
};

struct ParsedCommandLine {
    ShellOptions options;
    QString error; // non-empty when the command line is wrong
};

// Parses `arguments` (argv, program name first). Needs no QCoreApplication,
// so that the headless mode can choose its platform before one exists.
ParsedCommandLine parseCommandLine(const QStringList& arguments);

// The --help text.
QString commandLineHelp();
// "zelk-player 1.0", for --version.
QString versionText();

} // namespace ZelkShell
