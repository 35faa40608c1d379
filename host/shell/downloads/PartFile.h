#pragma once

#include "host/shell/downloads/FileIdentity.h"

#include <QString>

namespace ZelkShell {

class DownloadFolder;

// The file that holds a download's data until it is complete, written with
// the system's own calls so that each failure keeps its errno (a full disk
// is ENOSPC) for the row to name. It is known by the identity it had when
// this download made it: a file of another identity under its name is never
// opened, emptied, renamed or deleted. Never follows a link, never waits on
// an open (a FIFO or device under the name is refused, not opened for good).
class PartFile {
public:
    PartFile() = default;
    ~PartFile() { close(); }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Creates `name` anew in `folder`; 0, or the errno (EEXIST when
    // something has the name).
    int create(const DownloadFolder& folder, const QString& name);
    // Opens the file this download made earlier, `identity`, to append to
    // it; EEXIST when something else has the name, ENOENT when nothing has.
    int openOwned(const DownloadFolder& folder, const QString& name, const FileIdentity& identity);
    // Writes all of `data` at the end; 0 or the errno of the write that failed.
    int append(const char* data, qint64 size);
    // Empties the file, for a transfer that starts again from the first byte.
    int truncate();
    // Writes what the system still holds to the disk.
    int sync();
    void close();
    // Deletes the file if its name still stands for it (closing it first).
    void discard(const DownloadFolder& folder);
    // Renames it to `name` in `folder`, never replacing; it keeps its
    // identity, so the finished file is still known to be this download's.
    int renameTo(const DownloadFolder& folder, const QString& name);

    bool isOpen() const { return fd_ >= 0; }
    qint64 size() const { return size_; }
    QString name() const { return name_; }
    FileIdentity identity() const { return identity_; }

private:
    int adopt(int fd, const QString& name);

    int fd_ = -1;
    qint64 size_ = 0;
    QString name_;
    FileIdentity identity_;
};

} // namespace ZelkShell
