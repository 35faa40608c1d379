#include "host/shell/downloads/TransferThread.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QThread>

namespace ZelkShell {

// Lives on the transfer thread: the network access and the transfers.
class TransferThread::Worker : public QObject {
public:
    explicit Worker(TransferThread& owner)
        : owner_(owner)
    {
    }

    void start(const DownloadJob& job)
    {
        if (!network_)
            network_ = new QNetworkAccessManager(this); // made on the thread that uses it
        auto* transfer = new DownloadTransfer(*network_, job, this);
        transfers_.insert(job.id, transfer);
        connect(transfer, &DownloadTransfer::answered, &owner_, &TransferThread::answered);
        connect(transfer, &DownloadTransfer::progressed, &owner_, &TransferThread::progressed);
        connect(transfer, &DownloadTransfer::completed, &owner_, &TransferThread::completed);
        connect(transfer, &DownloadTransfer::stopped, &owner_, &TransferThread::stopped);
        const auto ended = [this, transfer, id = job.id] {
            if (transfers_.value(id) == transfer)
                transfers_.remove(id);
            transfer->deleteLater();
        };
        connect(transfer, &DownloadTransfer::completed, this, ended);
        connect(transfer, &DownloadTransfer::stopped, this, ended);
        transfer->start();
    }

    void stop(qint64 id, bool discard)
    {
        if (DownloadTransfer* transfer = transfers_.value(id))
            transfer->stop(discard);
    }

    void stopAll()
    {
        const QList<DownloadTransfer*> running = transfers_.values();
        for (DownloadTransfer* transfer : running) {
            transfer->disconnect(&owner_); // the owner is going
            transfer->stop(false);
        }
        qDeleteAll(running);
        transfers_.clear();
        delete network_;
        network_ = nullptr;
    }

private:
    TransferThread& owner_;
    QNetworkAccessManager* network_ = nullptr;
    QHash<qint64, DownloadTransfer*> transfers_;
};

TransferThread::TransferThread(QObject* parent)
    : QObject(parent)
    , worker_(new Worker(*this))
    , thread_(new QThread)
{
    thread_->setObjectName(QStringLiteral("downloads"));
    worker_->moveToThread(thread_);
    thread_->start();
}

TransferThread::~TransferThread()
{
    QMetaObject::invokeMethod(
        worker_, [this] { worker_->stopAll(); }, Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete worker_;
    delete thread_;
}

void TransferThread::start(const DownloadJob& job)
{
    QMetaObject::invokeMethod(worker_, [this, job] { worker_->start(job); });
}

void TransferThread::stop(qint64 id, bool discard)
{
    QMetaObject::invokeMethod(worker_, [this, id, discard] { worker_->stop(id, discard); });
}

} // namespace ZelkShell
