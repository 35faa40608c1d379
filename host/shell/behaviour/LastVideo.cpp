#include "host/shell/behaviour/LastVideo.h"

#include "host/shell/behaviour/StoreWrites.h"
#include "host/shell/behaviour/StoredPaths.h"

#include "settings/PreferenceAccessors.h"
#include "settings/SettingKey.h"

#include <QFileInfo>

namespace ZelkShell::LastVideo {

namespace {

const SettingKey& recentKey = SettingKeys::RecentFilis::RecentWatchedMovies;
const SettingKey& wasPlayingKey = SettingKeys::Playback::WasPlaying;

// One path a line, each as a local-file URL: a line break inside a name is
// encoded and cannot split it in two.
bool storeRecent(const QStringList& files)
{
    QStringList lines;
    for (const QString& file : files)
        lines << StoredPaths::encode(file);
    const QString text = lines.join(QLatin1Char('\n'));
    return writeRetryingOnFreshKeys(
        [&text] { return ZelkNimbo::writePreferenceString(recentKey.section, recentKey.name, text); });
}

} // namespace

QStringList recentlyWatched()
{
    const QString stored = ZelkNimbo::readPreferenceString(recentKey.section, recentKey.name, QString());
    QStringList files;
    // Lines earlier versions wrote are plain paths; a line that is neither
    // (a fragment of a damaged list) names no file and is left out.
    for (const QString& line : stored.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString file = StoredPaths::decode(line);
        if (!file.isEmpty() && !files.contains(file))
            files << file;
    }
    return files;
}

bool recordOpened(const QString& file)
{
    if (StoredPaths::encode(file).isEmpty())
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
    // When the open file cannot head the list, "was playing" must not stay
    // on: it would reopen whichever file heads the list now.
    const bool recorded = openFile.isEmpty() || recordOpened(openFile);
    const bool wasPlaying = recorded && !openFile.isEmpty();
    const bool stored = writeRetryingOnFreshKeys(
        [wasPlaying] { return ZelkNimbo::writePreferenceBool(wasPlayingKey.section, wasPlayingKey.name, wasPlaying); });
    return recorded && stored;
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
