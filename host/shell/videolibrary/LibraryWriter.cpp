#include "host/shell/videolibrary/LibraryWriter.h"

#include "host/shell/videolibrary/VideoLibrary.h"

#include <QThread>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <mutex>
#include <utility>

namespace ZelkShell {

// Lives on the writing thread: owns that thread's connection to the library
// and the queue of writes it works through.
class LibraryWriter::Worker : public QObject {
public:
    Worker(LibraryWriter& owner, QString file)
        : owner_(owner)
        , library_(std::move(file), lockWaitMs)
        , retry_(new QTimer(this)) // a child, so that it moves to the writing thread too
    {
        retry_->setSingleShot(true);
        connect(retry_, &QTimer::timeout, this, &Worker::writeQueued);
    }

    void enqueue(Write write, AtQuit atQuit)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back({std::move(write), atQuit});
        }
        // A retry already waiting keeps its pause: the lock is still there.
        // Queued even from the writing thread itself (a write queuing the
        // next): writing the queue from inside a write would run that write
        // again.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!retry_->isActive())
                    writeQueued();
            },
            Qt::QueuedConnection);
    }

    // Writes in order until the queue is empty or the library is locked.
    void writeQueued()
    {
        bool wroteAny = false;
        for (;;) {
            Write write;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (queue_.empty())
                    break;
                write = queue_.front().write;
            }
            QString error;
            if (!library_.isOpen() && !library_.open(&error)) {
                lastFailure_ = error;
                pauseAfterFailure();
                reportOnce(error);
                return;
            }
            if (!write(library_)) {
                if (library_.isBusy()) {
                    lastFailure_ = QStringLiteral("another program kept it locked");
                    pauseAfterFailure();
                    emit owner_.waitingForLock();
                    return;
                }
                if (library_.closeIfMoved()) {
                    // Deleted while the player ran: started again, the same
                    // write into it rather than lost.
                    qWarning("zelk-player: the video library %s was removed or replaced while in use; a new one "
                             "is started there",
                             qUtf8Printable(library_.file()));
                    continue;
                }
                emit owner_.writeFailed(library_.lastError());
            } else {
                wroteAny = true;
            }
            pause_ = 0;
            reported_.clear();
            {
                std::lock_guard<std::mutex> lock(mutex_);
                queue_.pop_front();
            }
            --owner_.pending_;
        }
        if (wroteAny)
            emit owner_.allWritten();
    }

    // Why the last attempt failed, in words.
    QString lastFailure() const { return lastFailure_; }

    // The last attempt at quit: waits up to `ms` for a lock, then counts what
    // is left.
    int finish(int ms)
    {
        retry_->stop();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            const auto dropped = std::remove_if(queue_.begin(), queue_.end(),
                                                [](const Pending& pending) { return pending.atQuit == AtQuit::Drop; });
            owner_.pending_ -= static_cast<int>(queue_.end() - dropped);
            queue_.erase(dropped, queue_.end());
        }
        // Also when the connection was closed meanwhile: reopened here, it
        // would otherwise wait only the short lock wait of a running write.
        QString error;
        if (library_.isOpen() || library_.open(&error))
            library_.setBusyTimeout(ms);
        writeQueued();
        retry_->stop(); // nothing runs it any more
        std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int>(queue_.size());
    }

private:
    void pauseAfterFailure()
    {
        pause_ = pause_ == 0 ? firstPauseMs : std::min(pause_ * 2, maximumPauseMs);
        retry_->start(pause_);
    }

    // A library that cannot be opened is reported once, not at every retry.
    void reportOnce(const QString& error)
    {
        if (error == reported_)
            return;
        reported_ = error;
        emit owner_.writeFailed(error);
    }

    LibraryWriter& owner_;
    VideoLibrary library_;
    std::mutex mutex_;
    struct Pending {
        Write write;
        AtQuit atQuit;
    };
    std::deque<Pending> queue_;
    QTimer* retry_;
    int pause_ = 0;
    QString reported_;
    QString lastFailure_;
};

LibraryWriter::LibraryWriter(QString file, QObject* parent)
    : QObject(parent)
    , worker_(std::make_unique<Worker>(*this, std::move(file)))
    , thread_(new QThread)
{
    thread_->setObjectName(QStringLiteral("library writer"));
    worker_->moveToThread(thread_);
    thread_->start();
}

LibraryWriter::~LibraryWriter()
{
    int left = 0;
    QString why;
    QMetaObject::invokeMethod(
        worker_.get(),
        [this, &left, &why] {
            left = worker_->finish(finalWaitMs);
            why = worker_->lastFailure();
        },
        Qt::BlockingQueuedConnection);
    if (left > 0)
        qWarning("zelk-player: %d change(s) to the video library could not be written: %s", left, qUtf8Printable(why));
    thread_->quit();
    thread_->wait();
    // Its thread has ended (and its timer stopped): the worker may go here.
    worker_.reset();
    delete thread_;
}

void LibraryWriter::enqueue(Write write, AtQuit atQuit)
{
    ++pending_;
    worker_->enqueue(std::move(write), atQuit);
}

} // namespace ZelkShell
