#include "host/shell/videolibrary/FolderImport.h"

#include "host/shell/videolibrary/FolderWalk.h"
#include "host/shell/videolibrary/VideoLibrary.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace ZelkShell {

// What the walking thread, the writing thread and the import share. Writes
// still queued may run after the import is gone: they hold this, not the
// import, and reach the import only while `owner` is set.
struct FolderImport::Shared {
    std::mutex mutex;
    std::condition_variable room;
    int batchesAhead = 0; // handed to the writer, not landed yet
    bool stopping = false;
    FolderImport* owner = nullptr;
    FolderWalk::Summary walked;
    int videosAdded = 0;
    int failedBatches = 0;
    bool noticeWaiting = false;

    // Calls `call` on the import's thread, if the import is still there.
    void post(void (FolderImport::*call)())
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (owner)
            QMetaObject::invokeMethod(owner, call, Qt::QueuedConnection);
    }

    // One notice at a time: the figures are read when it is delivered.
    void notify()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (noticeWaiting)
                return;
            noticeWaiting = true;
        }
        post(&FolderImport::publishProgress);
    }

    void walkProgressed(const FolderWalk::Summary& soFar)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            walked = soFar;
        }
        notify();
    }

    // On the walking thread, before a batch goes to the writer.
    void waitForRoom()
    {
        std::unique_lock<std::mutex> lock(mutex);
        room.wait(lock, [this] { return batchesAhead < maximumBatchesAhead || stopping; });
        ++batchesAhead;
    }

    // On the writing thread: `added` rows, or -1 for a batch refused.
    void batchLanded(int added)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            --batchesAhead;
            if (added < 0)
                ++failedBatches;
            else
                videosAdded += added;
        }
        room.notify_all();
        notify();
    }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        room.notify_all();
    }
};

FolderImport::FolderImport(QString folder, LibraryWriter& writer, LibraryWriter::AtQuit atQuit, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
    , shared_(std::make_shared<Shared>())
    , walk_(std::make_unique<FolderWalk>(folder_, &VideoLibrary::isVideoFile))
{
    shared_->owner = this;
    const std::shared_ptr<Shared> shared = shared_;
    LibraryWriter* target = &writer;
    // These run on the walking thread and go straight to the writing thread.
    connect(
        walk_.get(), &FolderWalk::batchFound, walk_.get(),
        [shared, target, atQuit](const QStringList& paths) {
            shared->waitForRoom();
            target->enqueue(
                [shared, paths](VideoLibrary& library) {
                    const int added = library.addAll(paths);
                    if (added < 0 && library.isBusy())
                        return false; // the writer tries it again after a pause
                    shared->batchLanded(added);
                    return added >= 0;
                },
                atQuit);
        },
        Qt::DirectConnection);
    connect(
        walk_.get(), &FolderWalk::progressed, walk_.get(),
        [shared](const FolderWalk::Summary& soFar) { shared->walkProgressed(soFar); }, Qt::DirectConnection);
    connect(
        walk_.get(), &FolderWalk::finished, walk_.get(),
        [shared, target](const FolderWalk::Summary& summary) {
            shared->walkProgressed(summary);
            // The writer keeps the order of its writes: when this one runs,
            // every batch of the walk has landed.
            target->enqueue(
                [shared](VideoLibrary&) {
                    shared->post(&FolderImport::publishFinished);
                    return true;
                },
                LibraryWriter::AtQuit::Drop);
        },
        Qt::DirectConnection);
}

FolderImport::~FolderImport()
{
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->owner = nullptr;
    }
    cancel();
    walk_.reset(); // waits for the walking thread
}

void FolderImport::start()
{
    if (started_)
        return;
    started_ = true;
    walk_->start();
}

void FolderImport::cancel()
{
    walk_->cancel();
    // A walk waiting for the writer stops waiting.
    shared_->stop();
}

FolderImport::Figures FolderImport::figures() const
{
    std::lock_guard<std::mutex> lock(shared_->mutex);
    Figures figures;
    figures.filesLookedAt = shared_->walked.filesLookedAt;
    figures.videosFound = shared_->walked.filesFound;
    figures.skippedFolders = shared_->walked.skippedFolders;
    figures.refusedNames = shared_->walked.refusedNames;
    figures.cancelled = shared_->walked.cancelled;
    figures.videosAdded = shared_->videosAdded;
    figures.failedBatches = shared_->failedBatches;
    return figures;
}

void FolderImport::publishProgress()
{
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->noticeWaiting = false;
    }
    emit progressed();
}

void FolderImport::publishFinished()
{
    finished_ = true;
    emit progressed();
    emit finished();
}

} // namespace ZelkShell
