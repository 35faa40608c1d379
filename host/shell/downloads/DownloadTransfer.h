#pragma once

#include "host/shell/downloads/PartFile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace ZelkShell {

// What a transfer needs to know of its download.
struct DownloadJob {
    qint64 id = 0;
    QUrl url;
    QString folder;
    // Empty until the first answer has named the file.
    QString name;
    // The ETag or Last-Modified of the data already in the .part file.
    QString validator;
    qint64 total = -1;
};

// One HTTP transfer of one download into "<folder>/<name>.part", renamed to
// <name> once complete. Lives on the transfer thread. A .part file with data
// and a validator is continued with `Range` and `If-Range`; a 206 starting
// where the data ends is appended, anything else starts again from the
// first byte. Ends with exactly one of completed() or stopped().
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

    DownloadTransfer(QNetworkAccessManager& network, DownloadJob job, QObject* parent = nullptr);
    ~DownloadTransfer() override;

    void start();
    // Stops the transfer: the data so far stays in the .part file, or with
    // `discard` the .part file is deleted.
    void stop(bool discard);

signals:
    // The server answered with the file: the name it is saved under (its
    // .part exists), its size (-1 unknown) and its validator.
    void answered(qint64 id, const QString& name, qint64 total, const QString& validator);
    void progressed(qint64 id, qint64 received, qint64 total);
    // The file is complete under `name` in the folder.
    void completed(qint64 id, const QString& name, qint64 size);
    // Stopped before the end: `reason` is empty when asked to stop.
    void stopped(qint64 id, const QString& reason, qint64 received);

private:
    void request(bool continuing);
    void headersArrived();
    void dataArrived();
    void replyFinished();
    bool acceptRange(const QByteArray& contentRange);
    bool reserveName(QNetworkReply& reply);
    bool drain(QNetworkReply& reply);
    bool flush();
    void fail(const QString& reason);
    void finishComplete();
    void end(const QString& reason);
    void reportProgress(bool now);

    QNetworkAccessManager& network_;
    DownloadJob job_;
    PartFile part_;
    QPointer<QNetworkReply> reply_;
    // Filled straight from the reply and written when full: one buffer for
    // the whole transfer, so that no piece of data costs an allocation.
    QByteArray buffer_;
    qint64 buffered_ = 0;
    QElapsedTimer sinceProgress_;
    QElapsedTimer sinceFlush_;
    bool continuing_ = false;
    bool headersSeen_ = false;
    bool alreadyComplete_ = false;
    bool stopping_ = false;
    bool discard_ = false;
    bool ended_ = false;
    QString failure_;
};

} // namespace ZelkShell
