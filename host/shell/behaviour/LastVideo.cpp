#include "host/shell/behaviour/LastVideo.h"

#include "settings/PreferenceAccessors.h"
#include "settings/SettingKey.h"

#include <QFileInfo>

namespace ZelkShell::LastVideo {

namespace {

const SettingKey& recentKey = SettingKeys::RecentFilis::RecentWatchedMovies;
const SettingKey& wasPlayingKey = SettingKeys::Playback::WasPlaying;

bool storeRecent(const QStringList& files)
{
    return ZelkNimbo::writePreferenceString(recentKey.section, recentKey.name, files.join(QLatin1Char('\n')));
}

} // namespace

QStringList recentlyWatched()
{
    const QString stored = ZelkNimbo::readPreferenceString(recentKey.section, recentKey.name, QString());
    return stored.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool recordOpened(const QString& file)
{
    if (file.isEmpty() || file.contains(QLatin1Char('\n')))
        return false;
    QStringList files = recentlyWatched();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > recentMaximum)
        files.removeLast();
    return storeRecent(files);
}

bool recordQuit(const QString& openFile)
{
    if (!openFile.isEmpty() && !recordOpened(openFile))
        return false;
    return ZelkNimbo::writePreferenceBool(wasPlayingKey.section, wasPlayingKey.name, !openFile.isEmpty());
}

QString fileToReopen()
{
    if (!ZelkNimbo::readPreferenceBool(wasPlayingKey.section, wasPlayingKey.name, false))
        return QString();
    const QStringList files = recentlyWatched();
    if (files.isEmpty() || !QFileInfo(files.first()).isFile())
        return QString();
    return files.first();
}

} // namespace ZelkShell::LastVideo
