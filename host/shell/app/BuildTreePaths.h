#pragma once

#include <QString>

namespace ZelkShell::BuildTreePaths {

// Where a player run from its build tree finds what an installed player finds
// beside it. Compiled in one file of its own: the paths differ between two
// checkouts, and the compiler cache shares everything else between them.
QString pluginFolder();
QString samplePluginFolder();
QString translationFolder();

} // namespace ZelkShell::BuildTreePaths
