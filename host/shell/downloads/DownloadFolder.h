#pragma once

#include "host/shell/downloads/FileIdentity.h"

#include <QString>

namespace ZelkShell {

// One open handle on the folder a download is saved in. Every name is looked
// up, created, renamed and deleted relative to it (openat, renameat2,
// unlinkat), so that the folder swapped for a link, or renamed, while a
// transfer runs cannot send a file elsewhere. Functions return 0 or an errno.
class DownloadFolder {
public:
    DownloadFolder() = default;
    ~DownloadFolder() { close(); }
    DownloadFolder(const DownloadFolder&) = delete;
    DownloadFolder& operator=(const DownloadFolder&) = delete;

    // Opens `path`, refusing a link at its last component (ELOOP).
    int open(const QString& path);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    QString path() const { return path_; }

    // What `name` in the folder is, without following a link: its identity
    // and size when it is a regular file; ENOENT when nothing has the name,
    // EINVAL when it is something else (a link, a FIFO, a folder).
    int regularFile(const QString& name, FileIdentity* identity, qint64* size = nullptr) const;
    // Whether anything (a file, a link, even a dangling one) has `name`:
    // 0 taken, ENOENT free, else the errno that kept us from knowing.
    int lookUp(const QString& name) const;
    // Renames `from` to `to` inside the folder, never replacing: EEXIST
    // when `to` is taken.
    int renameWithoutReplacing(const QString& from, const QString& to) const;
    // Deletes `name` only when it is still the file `identity` names.
    int removeOwned(const QString& name, const FileIdentity& identity) const;
    // Whether `path` still leads to this folder (not moved away, not replaced
    // by a link to another one).
    bool stillAt(const QString& path) const;
    // Whether the folder is `other` or lies anywhere below it, judged by
    // identities walking up through "..", so links cannot hide it.
    bool isWithin(const QString& other) const;

private:
    int fd_ = -1;
    QString path_;
};

// The path's name as the system takes it.
QByteArray nativeName(const QString& name);

// The identity, size and whether it is a regular file of `name` relative to
// the folder `dirFd` (with AT_EMPTY_PATH in `flags` and an empty name: of the
// open file `dirFd` itself); 0 or the errno.
int describe(int dirFd, const char* name, int flags, FileIdentity* identity, qint64* size, bool* regular);

} // namespace ZelkShell
