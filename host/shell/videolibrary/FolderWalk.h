#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>

class QThread;

namespace ZelkShell {

// Lists the files below a folder, on a thread of its own, in batches: the
// library fills itself from the default video folder with it, and a folder
// import can do the same. Symbolic links are followed, but a folder already
// seen (a link loop, or two links to one folder) is walked once; folders that
// cannot be read are skipped and counted. Names the system's encoding cannot
// represent faithfully are left out and counted (see StoredPaths::isFaithful).
// Every file met is counted, so that a long walk can show how far it got.
class FolderWalk : public QObject {
    Q_OBJECT

public:
    struct Summary {
        int filesLookedAt = 0;  // every file met, accepted or not
        int filesFound = 0;     // accepted by the filter, in the batches
        int skippedFolders = 0; // could not be read
        int refusedNames = 0;   // not faithfully representable
        bool cancelled = false;
    };
    // Which files to list, by absolute path.
    using Filter = std::function<bool(const QString& path)>;
    // Told the figures so far.
    using Progress = std::function<void(const Summary& soFar)>;

    static constexpr int defaultBatchSize = 500;
    // The least time between two progress reports: often enough for a figure
    // on screen, rare enough to cost the walk nothing.
    static constexpr int progressIntervalMs = 100;

    // Walks `root` on the calling thread, handing `batch` every `batchSize`
    // accepted files (and the rest at the end) and `progress`, if given, the
    // figures before each batch and otherwise at most every
    // progressIntervalMs; stops between two entries once `cancelled` is set.
    static Summary walk(const QString& root, const Filter& accept, int batchSize,
                        const std::function<void(const QStringList&)>& batch, const std::atomic_bool& cancelled,
                        const Progress& progress = {});

    FolderWalk(QString root, Filter accept, QObject* parent = nullptr, int batchSize = defaultBatchSize);
    // Cancels a walk still running and waits for its thread.
    ~FolderWalk() override;

    // Starts the walk; batchFound(), progressed() and finished() are emitted
    // from the walking thread (connect with the receiver's thread in mind).
    void start();
    void cancel() { cancelled_ = true; }
    bool isRunning() const;

signals:
    void batchFound(const QStringList& paths);
    void progressed(const ZelkShell::FolderWalk::Summary& soFar);
    void finished(const ZelkShell::FolderWalk::Summary& summary);

private:
    QString root_;
    Filter accept_;
    int batchSize_;
    std::atomic_bool cancelled_{false};
    QThread* thread_ = nullptr;
};

} // namespace ZelkShell

Q_DECLARE_METATYPE(ZelkShell::FolderWalk::Summary)
