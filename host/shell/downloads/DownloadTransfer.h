#pragma once

#include "host/shell/downloads/DownloadFolder.h"
#include "host/shell/downloads/PartFile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace ZelkShell {

struct ContentRange;

// What a transfer needs to know of its download.
struct DownloadJob {
    qint64 id = 0;
    // With the user name and password, when the running player holds them.
    QUrl url;
    QString folder;
    // Empty until the first answer has named the file.
    QString name;
    // The ETag or Last-Modified of the data already in the .part file.
    QByteArray validator;
    qint64 total = -1;
    // The .part file this download made; nothing else is continued.
    FileIdentity part;
    // The address had a user name or password that was not kept.
    bool signsIn = false;
    // Where the player keeps its own files: never saved into, nor below.
    QString dataFolder;
};

// One HTTP transfer of one download into "<folder>/<name>.part", renamed to
// <name> once complete. Lives on the transfer thread. A .part file this
// download made, with data and a validator, is continued with `Range` and
// `If-Range`; a 206 is appended only when it starts where the data ends and
// carries the validator sent, else the file is asked for again from the
// first byte. Requests are bounded (maxRequests, with growing pauses), so a
// server that never answers as asked ends in an error, not a loop. The
// answer is named first (named()) and the .part made only once the owner
// has kept that name (nameKept()), so a crash never leaves a .part no row
// names. Ends with exactly one of completed() or stopped().
class DownloadTransfer : public QObject {
    Q_OBJECT

public:
    // Data is written to the disk in pieces of this size, not per packet.
    static constexpr int writeChunkBytes = 1 << 20;
    // How much Qt may receive ahead of what was written.
    static constexpr qint64 readBufferBytes = 4 << 20;
    // Data waits in memory at most this long, so that a crash or a kill
    // loses little of a slow download.
    static constexpr int flushIntervalMs = 1000;
    // Progress is reported at most this often.
    static constexpr int progressIntervalMs = 200;
    // A server that sends nothing for this long has stopped answering.
    static constexpr int stallTimeoutMs = 30000;
    static constexpr int maxRedirects = 10;
    // Requests one start may make (the first, then asking again after a
    // wrong part or a busy server), and the pause before the second; each
    // later pause is twice the one before.
    static constexpr int maxRequests = 4;
    static constexpr int firstRetryPauseMs = 500;

    DownloadTransfer(QNetworkAccessManager& network, DownloadJob job, QObject* parent = nullptr);
    ~DownloadTransfer() override;

    void start();
    // Stops the transfer: the data so far stays in the .part file, or with
    // `discard` the .part file is deleted.
    void stop(bool discard);
    // The owner has kept the name named() gave: the .part may be made.
    void nameKept();

signals:
    // The server answered with the file: the folder (its links resolved) and
    // the name it is saved under, its size (-1 unknown), its validator, and
    // a note when the proposed name had to change. Until nameKept(), no
    // .part exists for a new name.
    void named(qint64 id, const QString& folder, const QString& name, qint64 total, const QByteArray& validator,
               const QString& note);
    // The .part was made: its identity, for the owner to keep.
    void partMade(qint64 id, qint64 device, qint64 inode, qint64 bornNs);
    void progressed(qint64 id, qint64 received, qint64 total);
    // The file is complete under `name` in the folder, and on the disk.
    void completed(qint64 id, const QString& name, qint64 size);
    // Stopped before the end: `reason` is empty when asked to stop;
    // `partGone` when this download's .part was deleted.
    void stopped(qint64 id, const QString& reason, qint64 received, bool partGone);

private:
    int openFolder();
    void request(bool continuing);
    void askAgain(bool continuing, const QString& whenExhausted);
    void headersArrived();
    // Whether a 206 continues the data we have (`range` and `validator` are
    // the answer's).
    bool acceptPartial(const ContentRange& range, const QByteArray& validator) const;
    void dataArrived();
    void replyFinished();
    void settle(QNetworkReply& reply);
    void reserveName(QNetworkReply& reply);
    // Reads all `reply` holds, writing each full chunk to the .part; false
    // when a write failed.
    bool readArrivedData(QNetworkReply& reply);
    bool flush();
    void fail(const QString& reason);
    void finishComplete();
    void end(const QString& reason);
    void reportProgress(bool now);

    QNetworkAccessManager& network_;
    DownloadJob job_;
    DownloadFolder folder_;
    PartFile part_;
    QPointer<QNetworkReply> reply_;
    // Filled straight from the reply and written when full: one buffer for
    // the whole transfer, so that no piece of data costs an allocation.
    QByteArray buffer_;
    qint64 buffered_ = 0;
    QElapsedTimer sinceProgress_;
    QElapsedTimer sinceFlush_;
    QByteArray sentValidator_;
    QString proposedName_;
    int requests_ = 0;
    int namings_ = 0;
    bool continuing_ = false;
    bool headersSeen_ = false;
    bool waitingForName_ = false;
    bool replyDone_ = false;
    bool alreadyComplete_ = false;
    bool stopping_ = false;
    bool discard_ = false;
    bool ended_ = false;
    QString failure_;
};

} // namespace ZelkShell
