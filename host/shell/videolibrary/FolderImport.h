#pragma once

#include "host/shell/videolibrary/LibraryWriter.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

namespace ZelkShell {

// Puts the videos in and below a folder into the library: a FolderWalk lists
// them on a thread of its own, and the LibraryWriter adds them on its own. The one way
// a folder goes into the library, whether the default video folder at start
// or a folder the user picked.
//
// Each write takes every video found and not yet written, in one
// transaction: while the library commits one (a disk flush, the slow part),
// the walk gathers the next, so a slow disk gets fewer, larger commits. At
// most maximumWaiting found videos wait for the writer; beyond that the walk
// waits too: a huge tree on a slow or locked library does not pile up in
// memory, and a cancel stops the walk close to what has been written.
class FolderImport : public QObject {
    Q_OBJECT
    // What the walking thread, the writing thread and the import share.
    struct Shared;

public:
    struct Figures {
        int filesLookedAt = 0;
        int videosFound = 0;
        // What the library really took: a video it had already is not counted.
        int videosAdded = 0;
        int skippedFolders = 0; // could not be read
        int refusedNames = 0;   // not valid in the system's encoding
        // Writes the library refused for another reason than a lock (their
        // videos are not in it).
        int failedWrites = 0;
        bool cancelled = false;
    };

    static constexpr int maximumWaiting = 5000;

    // `atQuit` says what becomes of a write still waiting for the writer when
    // the player quits (see LibraryWriter::AtQuit). `writer` must outlive the
    // import.
    FolderImport(QString folder, LibraryWriter& writer, LibraryWriter::AtQuit atQuit, QObject* parent = nullptr);
    // Cancels the walk without waiting for it: a walk held up in a folder
    // that does not answer (a hung network mount) ends on its own thread,
    // and touches neither the import nor the writer again. What it had
    // handed over is still written; see walkEnded() to wait for it.
    ~FolderImport() override;

    // Whether a walking thread has ended by `deadline`; meant for quitting,
    // after the import is gone.
    class WalkEnd {
    public:
        bool waitUntil(std::chrono::steady_clock::time_point deadline) const;

    private:
        friend class FolderImport;
        std::shared_ptr<Shared> shared_;
    };
    WalkEnd walkEnded() const;

    void start();
    // Stops the walk promptly; what it found so far is still written, and
    // finished() follows once it has landed.
    void cancel();

    QString folder() const { return folder_; }
    // From start() until finished(): the walk runs, or what it found has not
    // all landed yet.
    bool isRunning() const { return started_ && !finished_; }
    bool isFinished() const { return finished_; }
    Figures figures() const;

signals:
    // The figures changed (at most one notice waits at a time).
    void progressed();
    // The walk ended and every video it found landed in the library (or was
    // refused, see Figures::failedWrites).
    void finished();

private:
    // On the walking thread: `paths` wait for the writer, and a write is
    // queued when none is.
    static void handOn(const std::shared_ptr<Shared>& shared, const QStringList& paths, LibraryWriter::AtQuit atQuit);
    // Queues one write of every video found and not written yet.
    static void queueWrite(const std::shared_ptr<Shared>& shared, LibraryWriter& writer,
                           LibraryWriter::AtQuit atQuit);

    void publishFinished();

    QString folder_;
    LibraryWriter::AtQuit atQuit_;
    std::shared_ptr<Shared> shared_;
    bool started_ = false;
    bool finished_ = false;
};

} // namespace ZelkShell
