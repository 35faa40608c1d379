#include "host/shell/app/BuildTreePaths.h"

namespace ZelkShell::BuildTreePaths {

QString pluginFolder()
{
    return QStringLiteral(ZELK_BUILD_PLUGIN_DIR);
}

QString samplePluginFolder()
{
    return QStringLiteral(ZELK_BUILD_SAMPLE_PLUGIN_DIR);
}

QString translationFolder()
{
    return QStringLiteral(ZELK_BUILD_TRANSLATION_DIR);
}

} // namespace ZelkShell::BuildTreePaths
