#include "ShellTestSupport.h"

namespace zelktest {

QString samplePluginBuildDir()
{
    return QStringLiteral(ZELK_TEST_SAMPLE_PLUGIN_DIR);
}

QString testPlayerPath()
{
    return QStringLiteral(ZELK_TEST_PLAYER);
}

} // namespace zelktest
