#pragma once

namespace ZelkShell {

class PluginHost;
struct ShellOptions;

// Runs the player until it quits: starts the settings consumers, shows the
// main window (and the preferences when the options ask for them), runs the
// event loop, then has the plug-ins shut down, also when the quit came from
// elsewhere (the restart prompt). Returns the event loop's exit code.
int runPlayer(PluginHost& plugins, const ShellOptions& options);

} // namespace ZelkShell
