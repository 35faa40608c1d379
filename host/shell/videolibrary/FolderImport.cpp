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
    QStringList waiting;      // found, not written yet
    bool writeQueued = false; // a write of `waiting` is queued or running
    bool walkEnded = false;
    bool stopping = false;
    FolderImport* owner = nullptr;
    FolderWalk::Summary walked;
    int videosAdded = 0;
    int failedWrites = 0;
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

    // On the walking thread: true when `paths` need a write queued (none is).
    bool add(const QStringList& paths)
    {
        std::unique_lock<std::mutex> lock(mutex);
        room.wait(lock, [this] { return waiting.size() < maximumWaiting || stopping; });
        waiting += paths;
        const bool queue = !writeQueued;
        writeQueued = true;
        return queue;
    }

    // The walk's last word: true when everything it found has landed.
    bool walkDone(const FolderWalk::Summary& summary)
    {
        std::lock_guard<std::mutex> lock(mutex);
        walked = summary;
        walkEnded = true;
        return !writeQueued;
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

// The write queues the next itself when more came meanwhile, and tells the
// import when the walk has ended and nothing is left.
void FolderImport::queueWrite(const std::shared_ptr<Shared>& shared, LibraryWriter& writer,
                              LibraryWriter::AtQuit atQuit)
{
    writer.enqueue(
        [shared, &writer, atQuit](VideoLibrary& library) {
            QStringList paths;
            {
                std::lock_guard<std::mutex> lock(shared->mutex);
                paths = shared->waiting;
            }
            const int added = library.addAll(paths);
            // Kept: tried again after a pause, with whatever came meanwhile.
            if (added < 0 && library.isBusy())
                return false;
            bool more = false;
            bool landed = false;
            {
                std::lock_guard<std::mutex> lock(shared->mutex);
                // Only the walk adds, at the end: the first paths are these.
                shared->waiting.erase(shared->waiting.begin(), shared->waiting.begin() + paths.size());
                if (added < 0)
                    ++shared->failedWrites;
                else
                    shared->videosAdded += added;
                more = !shared->waiting.isEmpty();
                shared->writeQueued = more;
                landed = !more && shared->walkEnded;
            }
            shared->room.notify_all();
            if (more)
                queueWrite(shared, writer, atQuit);
            if (landed)
                shared->post(&FolderImport::publishFinished);
            else
                shared->notify();
            return added >= 0;
        },
        atQuit);
}

FolderImport::FolderImport(QString folder, LibraryWriter& writer, LibraryWriter::AtQuit atQuit, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
    , shared_(std::make_shared<Shared>())
    , walk_(std::make_unique<FolderWalk>(folder_, &VideoLibrary::isVideoFile))
{
    shared_->owner = this;
    const std::shared_ptr<Shared> shared = shared_;
    LibraryWriter* target = &writer;
    // These run on the walking thread.
    connect(
        walk_.get(), &FolderWalk::batchFound, walk_.get(),
        [shared, target, atQuit](const QStringList& paths) {
            if (shared->add(paths))
                queueWrite(shared, *target, atQuit);
        },
        Qt::DirectConnection);
    connect(
        walk_.get(), &FolderWalk::progressed, walk_.get(),
        [shared](const FolderWalk::Summary& soFar) { shared->walkProgressed(soFar); }, Qt::DirectConnection);
    connect(
        walk_.get(), &FolderWalk::finished, walk_.get(),
        [shared](const FolderWalk::Summary& summary) {
            if (shared->walkDone(summary))
                shared->post(&FolderImport::publishFinished);
            else
                shared->notify();
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
    figures.failedWrites = shared_->failedWrites;
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
    if (finished_)
        return;
    finished_ = true;
    emit progressed();
    emit finished();
}

} // namespace ZelkShell
