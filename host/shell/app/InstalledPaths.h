#pragma once

#include <QString>
#include <QStringList>

namespace ZelkShell::InstalledPaths {

// Where an installed player finds its parts, from the folder of its binary
// (the install layout's folders relative to bin/, compiled into one file).
QString pluginFolder(const QString& applicationDir);
QString translationFolder(const QString& applicationDir);
QString dataFolder(const QString& applicationDir);

// The player's version, the CMake project's.
QString version();
// The application id that names the desktop entry ("<id>.desktop"), the
// icon and the software centre's entry.
QString applicationId();
// The video types the desktop entry offers the player for.
QStringList videoMimeTypes();

} // namespace ZelkShell::InstalledPaths
