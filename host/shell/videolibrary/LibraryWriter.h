#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace ZelkShell {

class VideoLibrary;

// Writes to the video library on a thread of its own, so that the window
// never waits for the disk or for another process's lock. Each write is kept
// until it succeeds: while the library is locked it is tried again after a
// growing pause (bounded by maximumPauseMs), in the order the writes came.
class LibraryWriter : public QObject {
    Q_OBJECT

public:
    // One write; false on failure (the library's isBusy() tells a lock).
    using Write = std::function<bool(VideoLibrary& library)>;

    static constexpr int firstPauseMs = 50;
    static constexpr int maximumPauseMs = 2000;
    // How long a write waits for a lock before it is put back.
    static constexpr int lockWaitMs = 100;
    // How long the destructor waits for a lock to end.
    static constexpr int finalWaitMs = 1000;

    explicit LibraryWriter(QString file, QObject* parent = nullptr);
    // Tries what is still waiting, waiting up to finalWaitMs for a lock, and
    // stops the thread; what could not be written is logged.
    ~LibraryWriter() override;

    // What becomes of a write still waiting when the writer is destroyed.
    enum class AtQuit { Keep, Drop };

    // Queues `write`; safe from any thread, and from within a write. A write that can be done again
    // later (what a folder walk found) is dropped at quit rather than make
    // quitting wait for it.
    void enqueue(Write write, AtQuit atQuit = AtQuit::Keep);
    // Writes not yet done (queued, or being tried).
    int pending() const { return pending_; }

signals:
    // Emitted from the writing thread after writes succeeded and nothing is
    // left to write.
    void allWritten();
    // A write found the library locked by another program; it is kept and
    // tried again after a pause. Emitted from the writing thread at each
    // such pause.
    void waitingForLock();
    // A write failed for another reason than a lock; it is dropped.
    void writeFailed(const QString& error);

private:
    class Worker;

    std::unique_ptr<Worker> worker_;
    QThread* thread_;
    std::atomic_int pending_{0};
};

} // namespace ZelkShell
