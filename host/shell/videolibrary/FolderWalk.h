#pragma once

#include <QStringList>

#include <atomic>
#include <functional>

namespace ZelkShell {

// Lists the files below a folder in batches, on the calling thread (a
// FolderImport runs it on a thread of its own; the import benchmark times it
// alone against find). Symbolic links are followed, but a folder already
// seen (a link loop, or two links to one folder) is walked once; folders that
// cannot be read are skipped and counted. Names the system's encoding cannot
// represent faithfully are left out and counted (see StoredPaths::isFaithful).
// Every file met is counted, so that a long walk can show how far it got.
class FolderWalk {
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
};

} // namespace ZelkShell
