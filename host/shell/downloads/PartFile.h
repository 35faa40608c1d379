#pragma once

#include <QString>

namespace ZelkShell {

// The file that holds a download's data until it is complete, written with
// the system's own calls so that each failure keeps its errno (a full disk
// is ENOSPC, a folder gone ENOENT) for the row to name. Never follows a
// link: a link planted under the name is refused, not written through.
class PartFile {
public:
    PartFile() = default;
    ~PartFile() { close(); }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Creates `path` anew; 0, or the errno (EEXIST when something has the name).
    int create(const QString& path);
    // Opens an existing regular file at `path` to append to it; 0 or the errno.
    int openToAppend(const QString& path);
    // Writes all of `data` at the end; 0 or the errno of the write that failed.
    int append(const char* data, qint64 size);
    // Empties the file, for a transfer that starts again from the first byte.
    int truncate();
    void close();
    // Removes the file from the disk (closing it first).
    void discard();

    bool isOpen() const { return fd_ >= 0; }
    qint64 size() const { return size_; }
    QString path() const { return path_; }

private:
    int fd_ = -1;
    qint64 size_ = 0;
    QString path_;
};

// Renames `from` to `to` only if nothing has the name `to`: 0, or the errno
// (EEXIST when `to` is taken).
int renameWithoutReplacing(const QString& from, const QString& to);

} // namespace ZelkShell
