#pragma once

#include <QList>
#include <QString>

struct sqlite3;

namespace ZelkShell {

// One download as the queue keeps it. Progress is not kept: the size of its
// .part file is what it has.
struct DownloadRecord {
    enum class State { Queued, Downloading, Paused, Failed, Finished, Cancelled };

    // Also the queue's order: ids grow in the order downloads are added.
    qint64 id = 0;
    QString url;
    QString folder;
    // The file's name in the folder; empty until the server has answered.
    QString name;
    State state = State::Queued;
    qint64 total = -1; // bytes; -1 unknown
    // The ETag, else the Last-Modified date, the data so far came with.
    QString validator;
    // Why it failed, in words.
    QString error;
};

// The download queue's table, kept in the video library's file (beside its
// videos), so that it outlives a quit or a crash. Each function works on an
// open connection and returns false on an SQLite failure (the connection's
// error code tells a lock).
namespace DownloadTable {

bool ensure(sqlite3* db);
bool load(sqlite3* db, QList<DownloadRecord>* records);
bool save(sqlite3* db, const DownloadRecord& record);
bool remove(sqlite3* db, qint64 id);

QString stateName(DownloadRecord::State state);
DownloadRecord::State stateFromName(const QString& name);

} // namespace DownloadTable

} // namespace ZelkShell
