#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct sqlite3;

namespace ZelkShell {

// The player's video library: one SQLite file in the user's data folder
// listing known videos, with when each was added and last played. Each row
// holds one path in a column of its own. The folder is created 0700 and the
// file 0600; a damaged file is moved aside and a fresh library started.
// Another process holding a lock makes operations fail with isBusy() rather
// than disable the library: they can be tried again.
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

    static constexpr int defaultBusyTimeoutMs = 2000;

    explicit VideoLibrary(QString file = defaultLocation(), int busyTimeoutMs = defaultBusyTimeoutMs);
    ~VideoLibrary();
    VideoLibrary(const VideoLibrary&) = delete;
    VideoLibrary& operator=(const VideoLibrary&) = delete;

    // Opens or creates the file (and its folder); false with `error` filled
    // when that fails. A file that is no database, a folder, a FIFO or cannot
    // be read is first moved aside (see movedAsideTo()). A library locked by
    // another process opens: its operations fail with isBusy() until the
    // lock ends. Every other operation fails on a library not open.
    bool open(QString* error);
    bool isOpen() const { return db_ != nullptr; }
    QString file() const { return file_; }
    QString lastError() const { return lastError_; }
    // Whether the last failure was another process's lock.
    bool isBusy() const { return busy_; }
    // Where open() moved a damaged file; empty when it did not.
    QString movedAsideTo() const { return movedAside_; }
    // When the file was removed or replaced while open (a write then fails
    // as "readonly"), closes the connection and returns true: the next
    // open() starts on whatever is at the path now, a new library if nothing.
    bool closeIfMoved();
    // How long an operation waits for another process's lock.
    void setBusyTimeout(int ms);
    // Creates the table when it is missing; false (isBusy()) while locked.
    bool ensureTable() const;

    // Adds `path` if missing; with `played` also stamps it as played now.
    bool add(const QString& path, bool played);
    // Stamps the entry of `path`, if there is one, as played now; false on a
    // store failure.
    bool markPlayed(const QString& path);
    // Adds the paths not there yet, in one transaction; the number added, -1
    // on failure.
    int addAll(const QStringList& paths);
    bool remove(const QString& path);
    bool contains(const QString& path) const;

    // Runs `body` on the open connection, for the tables kept in the same
    // file beside the videos' (the download queue); false when the library
    // is not open or `body` fails, with lastError() and isBusy() saying why.
    bool withConnection(const QString& what, const std::function<bool(sqlite3*)>& body) const;

    // All entries, by path.
    QList<Entry> entries() const;
    // Up to `limit` entries by path, those after `after` (from the first when
    // empty), into `page`: a large library read page by page. False on
    // failure (see lastError() and isBusy()).
    bool entriesAfter(const QString& after, int limit, QList<Entry>* page) const;
    // How many entries there are; -1 on failure.
    int count() const;
    // Played entries, the most recently played first.
    QList<Entry> recentlyWatched(int limit) const;

private:
    int openDatabase();
    bool moveDamagedAside(const QString& why, QString* error);
    bool execute(const char* sql) const;
    bool fail(const QString& what) const;

    QString file_;
    int busyTimeoutMs_;
    sqlite3* db_ = nullptr;
    mutable bool tableReady_ = false;
    QString movedAside_;
    mutable QString lastError_;
    mutable bool busy_ = false;
};

} // namespace ZelkShell
