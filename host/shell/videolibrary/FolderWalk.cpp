#include "host/shell/videolibrary/FolderWalk.h"

#include "host/shell/behaviour/StoredPaths.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <utility>
#include <vector>

namespace ZelkShell {

namespace {

using FolderId = std::pair<dev_t, ino_t>;

// One open folder, closed when it goes out of scope.
class OpenFolder {
public:
    explicit OpenFolder(const QByteArray& path)
        : dir_(::opendir(path.constData()))
    {
    }
    ~OpenFolder()
    {
        if (dir_)
            ::closedir(dir_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    explicit operator bool() const { return dir_ != nullptr; }
    const dirent* next() { return ::readdir(dir_); }

private:
    DIR* dir_;
};

enum class Kind { File, Folder, Other };

// The clock is asked once per this many files, not at every one.
constexpr int filesPerClockCheck = 256;

// What `path` is, following a symbolic link; `id` is filled for a folder.
Kind kindOf(const QByteArray& path, unsigned char type, FolderId* id)
{
    if (type == DT_REG)
        return Kind::File;
    if (type != DT_DIR && type != DT_LNK && type != DT_UNKNOWN)
        return Kind::Other;
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return Kind::Other; // a dangling link, or gone meanwhile
    if (S_ISREG(status.st_mode))
        return Kind::File;
    if (!S_ISDIR(status.st_mode))
        return Kind::Other;
    *id = {status.st_dev, status.st_ino};
    return Kind::Folder;
}

} // namespace

FolderWalk::Summary FolderWalk::walk(const QString& root, const Filter& accept, int batchSize,
                                     const std::function<void(const QStringList&)>& batch,
                                     const std::atomic_bool& cancelled, const Progress& progress)
{
    Summary summary;
    QElapsedTimer sinceReport;
    sinceReport.start();
    QStringList pending;
    std::set<FolderId> seen;
    std::vector<QByteArray> folders;
    const QByteArray start = QFile::encodeName(QFileInfo(root).absoluteFilePath());
    FolderId rootId{};
    if (kindOf(start, DT_UNKNOWN, &rootId) == Kind::Folder) {
        seen.insert(rootId);
        folders.push_back(start);
    }
    while (!folders.empty() && !cancelled) {
        const QByteArray folder = folders.back();
        folders.pop_back();
        OpenFolder entries(folder);
        if (!entries) {
            ++summary.skippedFolders;
            continue;
        }
        const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
        while (const dirent* entry = entries.next()) {
            if (cancelled)
                break;
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const QByteArray path = prefix + name;
            FolderId id{};
            const Kind kind = kindOf(path, entry->d_type, &id);
            if (kind == Kind::Other)
                continue;
            if (kind == Kind::File && ++summary.filesLookedAt % filesPerClockCheck == 0 && progress &&
                sinceReport.hasExpired(progressIntervalMs)) {
                progress(summary);
                sinceReport.restart();
            }
            if (!StoredPaths::isFaithful(name)) {
                ++summary.refusedNames;
                continue;
            }
            if (kind == Kind::Folder) {
                if (seen.insert(id).second)
                    folders.push_back(path);
                continue;
            }
            const QString file = QFile::decodeName(path);
            if (!accept(file))
                continue;
            pending << file;
            ++summary.filesFound;
            if (pending.size() >= batchSize) {
                // The figures go first: a batch may have to wait (for a
                // library that is locked), and they should say how far the
                // walk got meanwhile.
                if (progress) {
                    progress(summary);
                    sinceReport.restart();
                }
                batch(pending);
                pending.clear();
            }
        }
    }
    if (!pending.isEmpty())
        batch(pending);
    summary.cancelled = cancelled;
    return summary;
}

} // namespace ZelkShell
