#pragma once

#include "host/shell/downloads/DownloadTransfer.h"

#include <QObject>

class QThread;

namespace ZelkShell {

// Runs the transfers on a thread of their own, so that receiving and writing
// at full network speed never holds up the window. Called from the GUI
// thread; its signals arrive there.
class TransferThread : public QObject {
    Q_OBJECT

public:
    explicit TransferThread(QObject* parent = nullptr);
    // Stops every transfer, keeping what each has written, and ends the thread.
    ~TransferThread() override;

    void start(const DownloadJob& job);
    // Stops the transfer of `id`; stopped() follows (unless it ended already).
    void stop(qint64 id, bool discard);

signals:
    void answered(qint64 id, const QString& name, qint64 total, const QString& validator);
    void progressed(qint64 id, qint64 received, qint64 total);
    void completed(qint64 id, const QString& name, qint64 size);
    void stopped(qint64 id, const QString& reason, qint64 received);

private:
    class Worker;

    Worker* worker_;
    QThread* thread_;
};

} // namespace ZelkShell
