#pragma once

#include "host/shell/downloads/DownloadTransfer.h"

#include <QList>
#include <QObject>

class QThread;

namespace ZelkShell {

// Runs the transfers, and every other look at or change to a download's
// files, on a thread of their own, so that receiving and writing at full
// network speed, or a file system that hangs, never holds up the window.
// Called from the GUI thread; its signals arrive there.
class TransferThread : public QObject {
    Q_OBJECT

public:
    // What inspect() found for a download.
    enum class Found { NoPart, OwnPart, ForeignPart, Finished };
    // How long quitting waits for the thread: a transfer stuck in a file
    // system call is left to end with the process.
    static constexpr int quitWaitMs = 1000;

    explicit TransferThread(QObject* parent = nullptr);
    // Stops every transfer, keeping what each has written, and ends the
    // thread, waiting at most quitWaitMs.
    ~TransferThread() override;

    void start(const DownloadJob& job);
    // Stops the transfer of `id`; stopped() follows (unless it ended already).
    void stop(qint64 id, bool discard);
    // Passes on that the name the transfer of `id` gave is kept.
    void nameKept(qint64 id);
    // Deletes the .part of a download that is not running, if it is still
    // the one it made (job.part); stopped() follows, with `partGone`.
    void discard(const DownloadJob& job);
    // Looks at the files of downloads not running: inspected() for each.
    void inspect(const QList<DownloadJob>& jobs);

signals:
    void named(qint64 id, const QString& folder, const QString& name, qint64 total, const QByteArray& validator,
               const QString& note);
    void partMade(qint64 id, qint64 device, qint64 inode, qint64 bornNs);
    void progressed(qint64 id, qint64 received, qint64 total);
    void completed(qint64 id, const QString& name, qint64 size);
    void stopped(qint64 id, const QString& reason, qint64 received, bool partGone);
    // `size` and `identity` are those of the file found (its .part, or the
    // finished file).
    void inspected(qint64 id, ZelkShell::TransferThread::Found found, qint64 size, qint64 device, qint64 inode,
                   qint64 bornNs);

private:
    class Worker;

    Worker* worker_;
    QThread* thread_;
};

} // namespace ZelkShell

Q_DECLARE_METATYPE(ZelkShell::TransferThread::Found)
