#include "host/shell/app/PluginFolders.h"

#include "host/shell/app/BuildTreePaths.h"

#include <QDir>
#include <QFileInfo>

namespace ZelkShell {

QStringList defaultPluginFolders(const QString& applicationDir)
{
    const QString installed = QDir(applicationDir).absoluteFilePath(QStringLiteral("../lib/zelk/plugins"));
    if (QFileInfo(installed).isDir())
        return {QDir::cleanPath(installed)};
    return {BuildTreePaths::pluginFolder(), BuildTreePaths::samplePluginFolder()};
}

} // namespace ZelkShell
