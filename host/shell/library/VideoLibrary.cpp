#include "host/shell/library/VideoLibrary.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <sqlite3.h>

namespace ZelkShell {

namespace {

// A statement finalised when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }
    void bind(int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(stmt_, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    }
    void bind(int index, qint64 number) { sqlite3_bind_int64(stmt_, index, number); }
    int step() { return sqlite3_step(stmt_); }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    }
    qint64 number(int column) const { return sqlite3_column_int64(stmt_, column); }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

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

QList<VideoLibrary::Entry> readEntries(Statement& query)
{
    QList<VideoLibrary::Entry> entries;
    while (query.step() == SQLITE_ROW)
        entries.append({query.text(0), query.number(1), query.number(2)});
    return entries;
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

VideoLibrary::VideoLibrary(QString file)
    : file_(std::move(file))
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
    if (!QDir().mkpath(QFileInfo(file_).absolutePath())) {
        *error = QStringLiteral("cannot create the folder of %1").arg(file_);
        return false;
    }
    if (sqlite3_open_v2(file_.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK ||
        !execute("CREATE TABLE IF NOT EXISTS videos ("
                 " path TEXT PRIMARY KEY NOT NULL,"
                 " added_at INTEGER NOT NULL,"
                 " last_played INTEGER NOT NULL DEFAULT 0)")) {
        *error = QStringLiteral("%1: %2").arg(file_, db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString());
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    sqlite3_busy_timeout(db_, 2000);
    return true;
}

bool VideoLibrary::execute(const char* sql)
{
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool VideoLibrary::fail(const QString& what) const
{
    lastError_ = db_ ? QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db_)))
                     : QStringLiteral("%1: the library is not open").arg(what);
    return false;
}

bool VideoLibrary::add(const QString& path, bool played)
{
    if (!db_)
        return fail(QStringLiteral("add"));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    Statement insert(db_, "INSERT INTO videos(path, added_at, last_played) VALUES(?1, ?2, ?3)"
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
    if (!db_)
        return fail(QStringLiteral("mark played"));
    Statement update(db_, "UPDATE videos SET last_played = ?2 WHERE path = ?1");
    if (!update)
        return fail(QStringLiteral("mark played"));
    update.bind(1, path);
    update.bind(2, QDateTime::currentMSecsSinceEpoch());
    return update.step() == SQLITE_DONE || fail(QStringLiteral("mark played"));
}

int VideoLibrary::addFolder(const QString& folder)
{
    if (!db_ || !execute("BEGIN")) {
        fail(QStringLiteral("add folder"));
        return -1;
    }
    int added = 0;
    QDirIterator files(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = QFileInfo(files.next()).absoluteFilePath();
        if (!isVideoFile(path) || contains(path))
            continue;
        if (!add(path, false)) {
            execute("ROLLBACK");
            return -1;
        }
        ++added;
    }
    if (!execute("COMMIT")) {
        fail(QStringLiteral("add folder"));
        execute("ROLLBACK");
        return -1;
    }
    return added;
}

bool VideoLibrary::remove(const QString& path)
{
    if (!db_)
        return fail(QStringLiteral("remove"));
    Statement erase(db_, "DELETE FROM videos WHERE path = ?1");
    if (!erase)
        return fail(QStringLiteral("remove"));
    erase.bind(1, path);
    return erase.step() == SQLITE_DONE || fail(QStringLiteral("remove"));
}

bool VideoLibrary::contains(const QString& path) const
{
    if (!db_)
        return false;
    Statement query(db_, "SELECT 1 FROM videos WHERE path = ?1");
    if (!query)
        return false;
    query.bind(1, path);
    return query.step() == SQLITE_ROW;
}

QList<VideoLibrary::Entry> VideoLibrary::entries() const
{
    if (!db_)
        return {};
    Statement query(db_, "SELECT path, added_at, last_played FROM videos ORDER BY path");
    return query ? readEntries(query) : QList<Entry>{};
}

QList<VideoLibrary::Entry> VideoLibrary::recentlyWatched(int limit) const
{
    if (!db_)
        return {};
    Statement query(db_, "SELECT path, added_at, last_played FROM videos WHERE last_played > 0"
                         " ORDER BY last_played DESC, path LIMIT ?1");
    if (!query)
        return {};
    query.bind(1, qint64(limit));
    return readEntries(query);
}

} // namespace ZelkShell
