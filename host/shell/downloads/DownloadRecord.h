#pragma once

#include "host/shell/downloads/FileIdentity.h"

#include <QByteArray>
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
    // The ETag, else the Last-Modified date, the data so far came with, as
    // the server sent it (byte for byte: it goes back in If-Range).
    QByteArray validator;
    // Why it failed, in words; for a download that did not fail, a note on
    // how it was saved (a name changed), or empty.
    QString error;
    // The .part file this download made (it keeps its identity when renamed
    // to the finished name); unknown until it is made.
    FileIdentity part;
    // The address carried a user name or password, which is never kept:
    // after a restart the server's asking for them is named as such.
    bool signsIn = false;
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
