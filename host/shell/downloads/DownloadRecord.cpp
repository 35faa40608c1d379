#include "host/shell/downloads/DownloadRecord.h"

#include "host/shell/videolibrary/SqlStatement.h"

#include <sqlite3.h>

#include <array>
#include <utility>

namespace ZelkShell::DownloadTable {

namespace {

using State = DownloadRecord::State;

const std::array<std::pair<State, const char*>, 6> stateNames{{
    {State::Queued, "queued"},
    {State::Downloading, "downloading"},
    {State::Paused, "paused"},
    {State::Failed, "failed"},
    {State::Finished, "finished"},
    {State::Cancelled, "cancelled"},
}};

// Columns added since the table was first made, for a file an older version wrote.
bool hasColumn(sqlite3* db, const char* name)
{
    SqlStatement columns(db, "PRAGMA table_info(downloads)");
    while (columns && columns.step() == SQLITE_ROW) {
        if (columns.text(1) == QLatin1String(name))
            return true;
    }
    return false;
}

bool addColumns(sqlite3* db)
{
    if (hasColumn(db, "part_born"))
        return true;
    return sqlite3_exec(db,
                        "ALTER TABLE downloads ADD COLUMN part_device INTEGER NOT NULL DEFAULT 0;"
                        "ALTER TABLE downloads ADD COLUMN part_inode INTEGER NOT NULL DEFAULT 0;"
                        "ALTER TABLE downloads ADD COLUMN part_born INTEGER NOT NULL DEFAULT 0;"
                        "ALTER TABLE downloads ADD COLUMN signs_in INTEGER NOT NULL DEFAULT 0",
                        nullptr, nullptr, nullptr)
           == SQLITE_OK;
}

} // namespace

bool ensure(sqlite3* db)
{
    return sqlite3_exec(db,
                        "CREATE TABLE IF NOT EXISTS downloads ("
                        " id INTEGER PRIMARY KEY,"
                        " url TEXT NOT NULL,"
                        " folder TEXT NOT NULL,"
                        " name TEXT NOT NULL DEFAULT '',"
                        " state TEXT NOT NULL,"
                        " total INTEGER NOT NULL DEFAULT -1,"
                        " validator TEXT NOT NULL DEFAULT '',"
                        " error TEXT NOT NULL DEFAULT '')",
                        nullptr, nullptr, nullptr)
               == SQLITE_OK
           && addColumns(db);
}

bool load(sqlite3* db, QList<DownloadRecord>* records)
{
    if (!ensure(db))
        return false;
    SqlStatement query(db, "SELECT id, url, folder, name, state, total, validator, error,"
                                " part_device, part_inode, part_born, signs_in FROM downloads ORDER BY id");
    int step = SQLITE_ERROR;
    while (query && (step = query.step()) == SQLITE_ROW) {
        DownloadRecord record;
        record.id = query.number(0);
        record.url = query.text(1);
        record.folder = query.text(2);
        record.name = query.text(3);
        record.state = stateFromName(query.text(4));
        record.total = query.number(5);
        record.validator = query.bytes(6);
        record.error = query.text(7);
        record.part = FileIdentity{query.number(8), query.number(9), query.number(10)};
        record.signsIn = query.number(11) != 0;
        records->append(record);
    }
    return step == SQLITE_DONE;
}

bool save(sqlite3* db, const DownloadRecord& record)
{
    if (!ensure(db))
        return false;
    SqlStatement upsert(db, "INSERT INTO downloads(id, url, folder, name, state, total, validator, error,"
                            " part_device, part_inode, part_born, signs_in)"
                            " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"
                            " ON CONFLICT(id) DO UPDATE SET url = excluded.url, folder = excluded.folder,"
                            " name = excluded.name, state = excluded.state, total = excluded.total,"
                            " validator = excluded.validator, error = excluded.error,"
                            " part_device = excluded.part_device, part_inode = excluded.part_inode, part_born = excluded.part_born,"
                            " signs_in = excluded.signs_in");
    upsert.bind(1, record.id);
    upsert.bind(2, record.url);
    upsert.bind(3, record.folder);
    upsert.bind(4, record.name);
    upsert.bind(5, stateName(record.state));
    upsert.bind(6, record.total);
    upsert.bind(7, record.validator);
    upsert.bind(8, record.error);
    upsert.bind(9, record.part.device);
    upsert.bind(10, record.part.inode);
    upsert.bind(11, record.part.bornNs);
    upsert.bind(12, qint64(record.signsIn));
    return upsert.step() == SQLITE_DONE;
}

bool remove(sqlite3* db, qint64 id)
{
    if (!ensure(db))
        return false;
    SqlStatement erase(db, "DELETE FROM downloads WHERE id = ?1");
    erase.bind(1, id);
    return erase.step() == SQLITE_DONE;
}

QString stateName(State state)
{
    for (const auto& [value, name] : stateNames) {
        if (value == state)
            return QLatin1String(name);
    }
    return QStringLiteral("queued");
}

State stateFromName(const QString& name)
{
    for (const auto& [value, text] : stateNames) {
        if (name == QLatin1String(text))
            return value;
    }
    // Written by a later version, perhaps: left for the user to resume.
    return State::Paused;
}

} // namespace ZelkShell::DownloadTable
