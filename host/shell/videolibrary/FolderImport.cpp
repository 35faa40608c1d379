#include "host/shell/videolibrary/FolderImport.h"

#include "host/shell/engine/CoalescedCall.h"
#include "host/shell/videolibrary/FolderWalk.h"
#include "host/shell/videolibrary/VideoLibrary.h"

#include <QThread>

#include <condition_variable>
#include <mutex>
#include <utility>

namespace ZelkShell {

// Writes still queued, and a walk left to end on its own, may run after the
// import is gone: they hold this, not the import, and reach the import only
// while `owner` is set, the writer only while `writer` is.
struct FolderImport::Shared {
    std::mutex mutex;
    std::condition_variable room;
    std::condition_variable threadEnded;
    std::atomic_bool cancelled{false};
    LibraryWriter* writer = nullptr;
    bool walkThreadEnded = false;
    QStringList waiting;      // found, not written yet
    bool writeQueued = false; // a write of `waiting` is queued or running
    bool walkEnded = false;
    bool stopping = false;
    FolderImport* owner = nullptr;
    FolderWalk::Summary walked;
    int videosAdded = 0;
    int failedWrites = 0;
    // One notice of progress at a time: the figures are read when it is
    // delivered. Here rather than in the import, which may go first.
    CoalescedCall progressNotice;

    // Calls `call` on the import's thread, if the import is still there.
    void post(void (FolderImport::*call)())
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (owner)
            QMetaObject::invokeMethod(owner, call, Qt::QueuedConnection);
    }

    void notify()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (owner)
            progressNotice.request(owner, [import = owner] { emit import->progressed(); });
    }

    void walkProgressed(const FolderWalk::Summary& soFar)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            walked = soFar;
        }
        notify();
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

// Nothing once the import has let go of the writer.
void FolderImport::handOn(const std::shared_ptr<Shared>& shared, const QStringList& paths, LibraryWriter::AtQuit atQuit)
{
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->room.wait(lock, [&] { return shared->waiting.size() < maximumWaiting || shared->stopping; });
    if (!shared->writer)
        return;
    shared->waiting += paths;
    if (shared->writeQueued)
        return;
    shared->writeQueued = true;
    // Under the lock: the writer cannot go meanwhile (see ~FolderImport).
    queueWrite(shared, *shared->writer, atQuit);
}

FolderImport::FolderImport(QString folder, LibraryWriter& writer, LibraryWriter::AtQuit atQuit, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
    , atQuit_(atQuit)
    , shared_(std::make_shared<Shared>())
{
    shared_->owner = this;
    shared_->writer = &writer;
}

FolderImport::~FolderImport()
{
    cancel();
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->owner = nullptr;
    shared_->writer = nullptr;
}

void FolderImport::start()
{
    if (started_)
        return;
    started_ = true;
    // Nothing ever waits for this thread without a limit (a stat() on a hung
    // mount can take forever): it holds only what it shares, and deletes
    // itself once it has ended.
    QThread* thread = QThread::create([shared = shared_, folder = folder_, atQuit = atQuit_] {
        const FolderWalk::Summary summary = FolderWalk::walk(
            folder, &VideoLibrary::isVideoFile, FolderWalk::defaultBatchSize,
            [&](const QStringList& paths) { handOn(shared, paths, atQuit); },
            shared->cancelled, [&](const FolderWalk::Summary& soFar) { shared->walkProgressed(soFar); });
        if (shared->walkDone(summary))
            shared->post(&FolderImport::publishFinished);
        else
            shared->notify();
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->walkThreadEnded = true;
        }
        shared->threadEnded.notify_all();
    });
    thread->setObjectName(QStringLiteral("folder walk"));
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::LowPriority);
}

void FolderImport::cancel()
{
    shared_->cancelled = true;
    // A walk waiting for the writer stops waiting.
    shared_->stop();
}

FolderImport::WalkEnd FolderImport::walkEnded() const
{
    WalkEnd end;
    if (started_)
        end.shared_ = shared_;
    return end;
}

bool FolderImport::WalkEnd::waitUntil(std::chrono::steady_clock::time_point deadline) const
{
    if (!shared_)
        return true;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->threadEnded.wait_until(lock, deadline, [this] { return shared_->walkThreadEnded; });
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

void FolderImport::publishFinished()
{
    if (finished_)
        return;
    finished_ = true;
    emit progressed();
    emit finished();
}

} // namespace ZelkShell
