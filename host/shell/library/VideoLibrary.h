#pragma once

#include <QList>
#include <QString>

struct sqlite3;

namespace ZelkShell {

// The player's video library: one SQLite file in the user's data folder
// listing known videos, with when each was added and last played.
class VideoLibrary {
public:
    struct Entry {
        QString path;
        qint64 addedAt = 0;    // ms since the epoch
        qint64 lastPlayed = 0; // ms since the epoch; 0 = never played here
    };

    // <data folder>/library.sqlite, the data folder being the application's
    // (QStandardPaths::AppDataLocation).
    static QString defaultLocation();
    static bool isVideoFile(const QString& path);

    explicit VideoLibrary(QString file = defaultLocation());
    ~VideoLibrary();
    VideoLibrary(const VideoLibrary&) = delete;
    VideoLibrary& operator=(const VideoLibrary&) = delete;

    // Opens or creates the file (and its folder); false with `error` filled
    // when that fails. Every other operation fails on a library not open.
    bool open(QString* error);
    bool isOpen() const { return db_ != nullptr; }
    QString file() const { return file_; }
    QString lastError() const { return lastError_; }

    // Adds `path` if missing; with `played` also stamps it as played now.
    bool add(const QString& path, bool played);
    // Stamps the entry of `path`, if there is one, as played now; false on a
    // store failure.
    bool markPlayed(const QString& path);
    // Adds every video file below `folder`; the number added, -1 on failure.
    int addFolder(const QString& folder);
    bool remove(const QString& path);
    bool contains(const QString& path) const;

    // All entries, by path.
    QList<Entry> entries() const;
    // Played entries, the most recently played first.
    QList<Entry> recentlyWatched(int limit) const;

private:
    bool execute(const char* sql);
    bool fail(const QString& what) const;

    QString file_;
    sqlite3* db_ = nullptr;
    mutable QString lastError_;
};

} // namespace ZelkShell
