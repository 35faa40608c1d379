#include "host/shell/engine/PlaylistEntries.h"

namespace ZelkShell {

void PlaylistEntries::opened(int64_t id, const Entry& entry)
{
    currentFloor_ = id;
    entries_.insert(id, entry);
}

void PlaylistEntries::started(int64_t id)
{
    started_ = id;
    for (auto it = entries_.begin(); it != entries_.end();)
        it = it.key() < started_ ? entries_.erase(it) : std::next(it);
}

PlaylistEntries::Entry* PlaylistEntries::find(int64_t id)
{
    const auto it = entries_.find(id);
    return it == entries_.end() ? nullptr : &it.value();
}

void PlaylistEntries::addPlaylistEntries(int64_t firstId, int count, bool fromLocalPlaylist)
{
    for (int i = 0; i < count; ++i)
        entries_.insert(firstId + i, Entry{QString(), true, fromLocalPlaylist, QString(), QStringList(), QStringList()});
}

bool isNetworkName(const QString& name)
{
    const int colon = name.indexOf(QLatin1String("://"));
    if (colon < 2)
        return false;
    const QString scheme = name.left(colon).toLower();
    return scheme != QLatin1String("file");
}

} // namespace ZelkShell
