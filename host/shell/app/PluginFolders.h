#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell {

// The folders the player reads plug-in descriptors from when none are given:
// beside an installed player its plug-in folder (lib/zelk-player/plugins, or
// lib/<multiarch>/zelk-player/plugins under /usr), else the build tree's.
// Where the player was installed or built is the starting program's
// knowledge, so this lives with it rather than with the plug-in host.
QStringList defaultPluginFolders(const QString& applicationDir);

} // namespace ZelkShell
