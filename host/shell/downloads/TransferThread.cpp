#include "host/shell/downloads/TransferThread.h"

#include "host/shell/downloads/DownloadNames.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QThread>

#include <atomic>

#include <cerrno>
#include <cstring>

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
        connect(transfer, &DownloadTransfer::named, &owner_, &TransferThread::named);
        connect(transfer, &DownloadTransfer::partMade, &owner_, &TransferThread::partMade);
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

    void nameKept(qint64 id)
    {
        if (DownloadTransfer* transfer = transfers_.value(id))
            transfer->nameKept();
    }

    void discard(const DownloadJob& job)
    {
        DownloadFolder folder;
        const int error = folder.open(job.folder) != 0 ? 0
                                                       : folder.removeOwned(job.name + DownloadNames::partSuffix, job.part);
        if (error != 0 && error != ENOENT && error != EEXIST)
            qWarning("zelk-player: the partial data of %s could not be deleted: %s", qUtf8Printable(job.name),
                     strerror(error));
        if (!ownerGone)
            emit owner_.stopped(job.id, QString(), 0, true);
    }

    void inspect(const QList<DownloadJob>& jobs)
    {
        for (const DownloadJob& job : jobs) {
            FileIdentity found;
            qint64 size = 0;
            const Found verdict = look(job, &found, &size);
            if (!ownerGone)
                emit owner_.inspected(job.id, verdict, size, found.device, found.inode, found.bornNs);
        }
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
    // A .part of the recorded identity is this download's; one a row names
    // without an identity (a crash before it was kept) is adopted. With no
    // .part, a finished file of the recorded size (and identity: the rename
    // keeps it) means only the record of the completion was missing.
    static Found look(const DownloadJob& job, FileIdentity* found, qint64* size)
    {
        DownloadFolder folder;
        if (job.name.isEmpty() || folder.open(job.folder) != 0)
            return Found::NoPart;
        const int part = folder.regularFile(job.name + DownloadNames::partSuffix, found, size);
        if (part == 0)
            return !job.part.isKnown() || *found == job.part ? Found::OwnPart : Found::ForeignPart;
        if (part != ENOENT)
            return Found::ForeignPart;
        const bool finished = folder.regularFile(job.name, found, size) == 0 && job.total >= 0 && *size == job.total
                              && (!job.part.isKnown() || *found == job.part);
        if (finished)
            return Found::Finished;
        *found = FileIdentity();
        *size = 0;
        return Found::NoPart;
    }

public:
    // Set when quitting left this worker stuck in a call: it no longer
    // reports to the owner, which is gone.
    std::atomic_bool ownerGone{false};

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
    qRegisterMetaType<ZelkShell::TransferThread::Found>();
    thread_->setObjectName(QStringLiteral("downloads"));
    worker_->moveToThread(thread_);
    thread_->start();
}

TransferThread::~TransferThread()
{
    Worker* worker = worker_;
    QMetaObject::invokeMethod(worker, [worker] {
        worker->stopAll();
        QThread::currentThread()->quit();
    });
    if (!thread_->wait(quitWaitMs)) {
        // Stuck in a call to a file system that does not answer: quitting
        // does not wait for it; the thread ends with the process.
        worker->ownerGone = true;
        qWarning("zelk-player: a download did not stop within %d ms; it ends with the player", quitWaitMs);
        return;
    }
    delete worker_;
    delete thread_;
}

void TransferThread::start(const DownloadJob& job)
{
    QMetaObject::invokeMethod(worker_, [worker = worker_, job] { worker->start(job); });
}

void TransferThread::stop(qint64 id, bool discard)
{
    QMetaObject::invokeMethod(worker_, [worker = worker_, id, discard] { worker->stop(id, discard); });
}

void TransferThread::nameKept(qint64 id)
{
    QMetaObject::invokeMethod(worker_, [worker = worker_, id] { worker->nameKept(id); });
}

void TransferThread::discard(const DownloadJob& job)
{
    QMetaObject::invokeMethod(worker_, [worker = worker_, job] { worker->discard(job); });
}

void TransferThread::inspect(const QList<DownloadJob>& jobs)
{
    QMetaObject::invokeMethod(worker_, [worker = worker_, jobs] { worker->inspect(jobs); });
}

} // namespace ZelkShell
