#include "host/shell/videolibrary/VideoLibrary.h"

#include "host/shell/videolibrary/LibraryFile.h"
#include "host/shell/videolibrary/SqlStatement.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSet>
#include <QStandardPaths>

#include <sqlite3.h>


namespace ZelkShell {

namespace {

const QSet<QString>& videoSuffixes()
{
    static const QSet<QString> suffixes{
        QStringLiteral("avi"),  QStringLiteral("zelk"), QStringLiteral("xvid"), QStringLiteral("divx"),
        QStringLiteral("mkv"),  QStringLiteral("mov"),  QStringLiteral("mp4"),  QStringLiteral("m4v"),
        QStringLiteral("wmv"),  QStringLiteral("vob"),  QStringLiteral("mpg"),  QStringLiteral("mpeg"),
        QStringLiteral("asf"),  QStringLiteral("qt"),   QStringLiteral("webm"), QStringLiteral("ogv"),
        QStringLiteral("flv"),  QStringLiteral("ts"),   QStringLiteral("m2ts"), QStringLiteral("3gp"),
    };
    return suffixes;
}

// All rows of `query`; false when it stopped short (a lock, a damaged page).
bool readEntries(SqlStatement& query, QList<VideoLibrary::Entry>* entries)
{
    int step = SQLITE_ERROR;
    while (query && (step = query.step()) == SQLITE_ROW)
        entries->append({query.text(0), query.number(1), query.number(2)});
    return step == SQLITE_DONE;
}

} // namespace

QString VideoLibrary::defaultLocation()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/library.sqlite");
}

bool VideoLibrary::isVideoFile(const QString& path)
{
    return videoSuffixes().contains(QFileInfo(path).suffix().toLower());
}

VideoLibrary::VideoLibrary(QString file, int busyTimeoutMs)
    : file_(std::move(file))
    , busyTimeoutMs_(busyTimeoutMs)
{
}

VideoLibrary::~VideoLibrary()
{
    sqlite3_close(db_);
}

bool VideoLibrary::open(QString* error)
{
    if (db_)
        return true;
    if (!LibraryFile::makePrivateFolder(QFileInfo(file_).absolutePath(), error))
        return false;
    // Checked before SQLite opens it: opening a FIFO would wait for a writer.
    const QString unusable = LibraryFile::unusableBecause(file_);
    if (!unusable.isEmpty() && !moveDamagedAside(unusable, error)) {
        // What is wrong with it first: that it could not be moved aside is
        // the lesser news.
        *error = QStringLiteral("%1: %2 (%3)").arg(file_, unusable, *error);
        return false;
    }
    if (!LibraryFile::makePrivateFile(file_, error))
        return false;
    int result = openDatabase();
    if ((result == SQLITE_NOTADB || result == SQLITE_CORRUPT) && movedAside_.isEmpty()) {
        const QString why = QString::fromUtf8(sqlite3_errstr(result));
        sqlite3_close(db_);
        db_ = nullptr;
        if (!moveDamagedAside(why, error) || !LibraryFile::makePrivateFile(file_, error))
            return false;
        result = openDatabase();
    }
    // A lock held by another process ends some time: the library stays open
    // and the table is made by the first operation that gets through.
    if (result != SQLITE_OK && result != SQLITE_BUSY && result != SQLITE_LOCKED) {
        *error = QStringLiteral("%1: %2").arg(file_, QString::fromUtf8(sqlite3_errstr(result)));
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    return true;
}

int VideoLibrary::openDatabase()
{
    const int opened = sqlite3_open_v2(QFile::encodeName(file_).constData(), &db_,
                                       SQLITE_OPEN_READWRITE, nullptr);
    if (opened != SQLITE_OK)
        return opened;
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
    return ensureTable() ? SQLITE_OK : sqlite3_errcode(db_);
}

bool VideoLibrary::moveDamagedAside(const QString& why, QString* error)
{
    movedAside_ = LibraryFile::moveAside(file_, error);
    if (movedAside_.isEmpty())
        return false;
    qWarning("zelk-player: the video library %s was damaged (%s); it was moved to %s and a new library started",
             qUtf8Printable(file_), qUtf8Printable(why), qUtf8Printable(movedAside_));
    return true;
}

bool VideoLibrary::closeIfMoved()
{
    int moved = 0;
    if (!db_ || sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || !moved)
        return false;
    sqlite3_close(db_);
    db_ = nullptr;
    tableReady_ = false;
    return true;
}

void VideoLibrary::setBusyTimeout(int ms)
{
    busyTimeoutMs_ = ms;
    if (db_)
        sqlite3_busy_timeout(db_, ms);
}

bool VideoLibrary::ensureTable() const
{
    if (tableReady_)
        return true;
    tableReady_ = execute("CREATE TABLE IF NOT EXISTS videos ("
                          " path TEXT PRIMARY KEY NOT NULL,"
                          " added_at INTEGER NOT NULL,"
                          " last_played INTEGER NOT NULL DEFAULT 0)");
    return tableReady_ || fail(QStringLiteral("create the table"));
}

bool VideoLibrary::execute(const char* sql) const
{
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool VideoLibrary::fail(const QString& what) const
{
    const int code = db_ ? sqlite3_errcode(db_) : SQLITE_MISUSE;
    busy_ = code == SQLITE_BUSY || code == SQLITE_LOCKED;
    lastError_ = db_ ? QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db_)))
                     : QStringLiteral("%1: the library is not open").arg(what);
    return false;
}

bool VideoLibrary::withConnection(const QString& what, const std::function<bool(sqlite3*)>& body) const
{
    busy_ = false;
    if (!db_ || !body(db_))
        return fail(what);
    return true;
}

bool VideoLibrary::add(const QString& path, bool played)
{
    if (!ensureTable())
        return fail(QStringLiteral("add"));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    SqlStatement insert(db_, "INSERT INTO videos(path, added_at, last_played) VALUES(?1, ?2, ?3)"
                          " ON CONFLICT(path) DO UPDATE SET last_played = MAX(last_played, excluded.last_played)");
    if (!insert)
        return fail(QStringLiteral("add"));
    insert.bind(1, path);
    insert.bind(2, now);
    insert.bind(3, played ? now : qint64(0));
    return insert.step() == SQLITE_DONE || fail(QStringLiteral("add"));
}

bool VideoLibrary::markPlayed(const QString& path)
{
    if (!ensureTable())
        return fail(QStringLiteral("mark played"));
    SqlStatement update(db_, "UPDATE videos SET last_played = ?2 WHERE path = ?1");
    if (!update)
        return fail(QStringLiteral("mark played"));
    update.bind(1, path);
    update.bind(2, QDateTime::currentMSecsSinceEpoch());
    return update.step() == SQLITE_DONE || fail(QStringLiteral("mark played"));
}

int VideoLibrary::addAll(const QStringList& paths)
{
    if (!ensureTable() || !execute("BEGIN IMMEDIATE")) {
        fail(QStringLiteral("add"));
        return -1;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const int changesBefore = sqlite3_total_changes(db_);
    bool inserted = true;
    {
        SqlStatement insert(db_, "INSERT OR IGNORE INTO videos(path, added_at, last_played) VALUES(?1, ?2, 0)");
        inserted = bool(insert);
        for (int i = 0; inserted && i < paths.size(); ++i) {
            insert.bind(1, paths[i]);
            insert.bind(2, now);
            inserted = insert.step() == SQLITE_DONE;
            insert.reset();
        }
    }
    const int added = sqlite3_total_changes(db_) - changesBefore;
    if (!inserted || !execute("COMMIT")) {
        fail(QStringLiteral("add"));
        execute("ROLLBACK");
        return -1;
    }
    return added;
}

bool VideoLibrary::remove(const QString& path)
{
    if (!ensureTable())
        return fail(QStringLiteral("remove"));
    SqlStatement erase(db_, "DELETE FROM videos WHERE path = ?1");
    if (!erase)
        return fail(QStringLiteral("remove"));
    erase.bind(1, path);
    return erase.step() == SQLITE_DONE || fail(QStringLiteral("remove"));
}

bool VideoLibrary::contains(const QString& path) const
{
    if (!ensureTable())
        return false;
    SqlStatement query(db_, "SELECT 1 FROM videos WHERE path = ?1");
    if (!query)
        return false;
    query.bind(1, path);
    return query.step() == SQLITE_ROW;
}

QList<VideoLibrary::Entry> VideoLibrary::entries() const
{
    busy_ = false;
    if (!ensureTable())
        return {};
    SqlStatement query(db_, "SELECT path, added_at, last_played FROM videos ORDER BY path");
    QList<Entry> result;
    if (!readEntries(query, &result)) {
        fail(QStringLiteral("read"));
        return {};
    }
    return result;
}

bool VideoLibrary::entriesAfter(const QString& after, int limit, QList<Entry>* page) const
{
    busy_ = false;
    if (!ensureTable())
        return false;
    // By the path's index, so that a page deep in the list costs no more
    // than the first (OFFSET would step over every row before it).
    SqlStatement query(db_, "SELECT path, added_at, last_played FROM videos WHERE path > ?1 ORDER BY path LIMIT ?2");
    if (query) {
        query.bind(1, after);
        query.bind(2, qint64(limit));
    }
    return readEntries(query, page) || fail(QStringLiteral("read"));
}

int VideoLibrary::count() const
{
    busy_ = false;
    if (!ensureTable())
        return -1;
    SqlStatement query(db_, "SELECT count(*) FROM videos");
    if (!query || query.step() != SQLITE_ROW) {
        fail(QStringLiteral("count"));
        return -1;
    }
    return int(query.number(0));
}

QList<VideoLibrary::Entry> VideoLibrary::recentlyWatched(int limit) const
{
    busy_ = false;
    if (!ensureTable())
        return {};
    SqlStatement query(db_, "SELECT path, added_at, last_played FROM videos WHERE last_played > 0"
                         " ORDER BY last_played DESC, path LIMIT ?1");
    QList<Entry> result;
    if (query)
        query.bind(1, qint64(limit));
    if (!readEntries(query, &result)) {
        fail(QStringLiteral("read"));
        return {};
    }
    return result;
}

} // namespace ZelkShell
