#pragma once

#include <QString>

namespace ZelkShell::BuildTreePaths {

// Where a player run from its build tree finds what an installed player finds
// beside it. Compiled in one file of its own, so that only this file depends
// on where the checkout is.
QString pluginFolder();
QString samplePluginFolder();
QString translationFolder();

} // namespace ZelkShell::BuildTreePaths
