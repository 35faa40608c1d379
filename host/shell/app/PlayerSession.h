#pragma once

#include <QStringList>

namespace ZelkShell {

class PluginHost;
struct ShellOptions;

// How a run of the player ended.
struct PlayerExit {
    int status = 0;
    // The application was told to quit from elsewhere (the preferences'
    // restart prompt), not by the player's own Quit: start again with
    // `restartArguments` (program name not included).
    bool restart = false;
    QStringList restartArguments;
};

// Runs the player until it quits: starts the settings consumers, shows the
// main window (and the preferences when the options ask for them), plays the
// files of the options, runs the event loop, then has the plug-ins shut
// down, also when the quit came from elsewhere. `arguments` are the ones the
// player was started with (program name first), kept for a restart.
PlayerExit runPlayerSession(PluginHost& plugins, const ShellOptions& options, const QStringList& arguments = {});

// The same, returning the event loop's exit code only.
int runPlayer(PluginHost& plugins, const ShellOptions& options);

// The command line that brings the player back: `arguments` without the
// files, start position and preferences options, then `file` from
// `seconds`, paused when `paused`, and the files still queued.
QStringList restartArguments(const QStringList& arguments, const QString& file, double seconds, bool paused,
                             const QStringList& queued);

// Starts the player again with `arguments` once this process is done;
// false when it cannot be started.
bool startPlayerAgain(const QStringList& arguments);

} // namespace ZelkShell
