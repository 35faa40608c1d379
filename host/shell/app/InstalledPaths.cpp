#include "host/shell/app/InstalledPaths.h"

#include <QDir>

namespace ZelkShell::InstalledPaths {

namespace {

QString below(const QString& applicationDir, const char* relative)
{
    return QDir::cleanPath(QDir(applicationDir).absoluteFilePath(QString::fromUtf8(relative)));
}

} // namespace

QString pluginFolder(const QString& applicationDir)
{
    return below(applicationDir, ZELK_RELATIVE_PLUGIN_DIR);
}

QString translationFolder(const QString& applicationDir)
{
    return below(applicationDir, ZELK_RELATIVE_DATA_DIR "/translations");
}

QString dataFolder(const QString& applicationDir)
{
    return below(applicationDir, ZELK_RELATIVE_DATA_DIR);
}

QString version()
{
    return QStringLiteral(ZELK_VERSION);
}

QString applicationId()
{
    return QStringLiteral(ZELK_APP_ID);
}

QStringList videoMimeTypes()
{
    return QStringLiteral(ZELK_VIDEO_MIME_TYPES).split(QLatin1Char(','));
}

} // namespace ZelkShell::InstalledPaths
