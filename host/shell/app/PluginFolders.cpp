#include "host/shell/app/PluginFolders.h"

#include "host/shell/app/BuildTreePaths.h"
#include "host/shell/app/InstalledPaths.h"

#include <QFileInfo>

namespace ZelkShell {

QStringList defaultPluginFolders(const QString& applicationDir)
{
    const QString installed = InstalledPaths::pluginFolder(applicationDir);
    if (QFileInfo(installed).isDir())
        return {installed};
    return {BuildTreePaths::pluginFolder(), BuildTreePaths::samplePluginFolder()};
}

} // namespace ZelkShell
