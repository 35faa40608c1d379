#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>

namespace ZelkShell {

// What the player knows of the entries of the engine's playlist, by the
// engine's entry id: the file it opened last (and the entries of it when it
// was a playlist file), and the older ones until the engine moved past them,
// so that what they still report is told apart from the file now opening.
class PlaylistEntries {
public:
    struct Entry {
        QString file;
        // An entry of a playlist file, not a file the player opened itself.
        bool fromPlaylist = false;
        // The playlist file naming it was local.
        bool local = true;
        // Why the player refused to open it, if it did.
        QString refusal;
        // Subtitle files to add once it has opened, and those too large
        // to read, reported then.
        QStringList lateSubtitles;
        QStringList refusedSubtitles;
    };

    // A file is being opened: until opened() names its id, no entry is the
    // current one.
    void opening() { currentFloor_ = std::numeric_limits<int64_t>::max(); }
    // The engine took `entry` as entry `id`; everything older is what it
    // replaces.
    void opened(int64_t id, const Entry& entry);
    // The engine took `entry`, replaced already by a later open: kept for
    // what it may still report, never current.
    void openedReplaced(int64_t id, const Entry& entry) { entries_.insert(id, entry); }
    // The engine started entry `id` (-1: unknown): the older ones have
    // ended, or were replaced before they started.
    void started(int64_t id);
    int64_t startedId() const { return started_; }
    // The entry is the file last opened, or an entry of it.
    bool isCurrent(int64_t id) const { return id >= currentFloor_ && entries_.contains(id); }
    bool contains(int64_t id) const { return entries_.contains(id); }
    Entry value(int64_t id) const { return entries_.value(id); }
    Entry* find(int64_t id);
    // Forgets the entry and returns it.
    Entry take(int64_t id) { return entries_.take(id); }
    // The entries a playlist file expanded to, each under its own name once
    // it opens; only local files may be named by a local playlist.
    void addPlaylistEntries(int64_t firstId, int count, bool fromLocalPlaylist);

private:
    QHash<int64_t, Entry> entries_;
    // Ids below this one belong to files already replaced.
    int64_t currentFloor_ = 0;
    int64_t started_ = 0;
};

// A name the engine would fetch over a network (http://, rtsp://, ...): a
// URL whose scheme is not "file". Drive letters are no schemes.
bool isNetworkName(const QString& name);

} // namespace ZelkShell
