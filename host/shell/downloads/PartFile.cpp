#include "host/shell/downloads/PartFile.h"

#include "host/shell/downloads/DownloadFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ZelkShell {

namespace {

constexpr int openFlags = O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;

} // namespace

int PartFile::adopt(int fd, const QString& name)
{
    FileIdentity identity;
    qint64 size = 0;
    bool regular = false;
    int error = describe(fd, "", AT_EMPTY_PATH, &identity, &size, &regular);
    if (error == 0 && !regular)
        error = EINVAL;
    if (error != 0) {
        ::close(fd);
        return error;
    }
    fd_ = fd;
    size_ = size;
    name_ = name;
    identity_ = identity;
    return 0;
}

int PartFile::create(const DownloadFolder& folder, const QString& name)
{
    close();
    const int fd = ::openat(folder.fd(), nativeName(name).constData(), openFlags | O_CREAT | O_EXCL, 0644);
    return fd < 0 ? errno : adopt(fd, name);
}

int PartFile::openOwned(const DownloadFolder& folder, const QString& name, const FileIdentity& identity)
{
    close();
    // Looked at before it is opened, so that nothing of another identity (a
    // FIFO, a device) is ever opened; and again once open, for a swap between.
    FileIdentity found;
    if (const int error = folder.regularFile(name, &found))
        return error == EINVAL ? EEXIST : error;
    if (found != identity)
        return EEXIST;
    const int fd = ::openat(folder.fd(), nativeName(name).constData(), openFlags | O_APPEND);
    if (fd < 0)
        return errno;
    if (const int error = adopt(fd, name))
        return error;
    if (identity_ != identity) {
        close();
        identity_ = FileIdentity();
        return EEXIST;
    }
    return 0;
}

int PartFile::append(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= written;
        size_ += written;
    }
    return 0;
}

int PartFile::truncate()
{
    if (fd_ < 0)
        return EBADF;
    if (::ftruncate(fd_, 0) != 0)
        return errno;
    size_ = 0;
    return 0;
}

int PartFile::sync()
{
    return fd_ >= 0 && ::fsync(fd_) != 0 ? errno : 0;
}

void PartFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void PartFile::discard(const DownloadFolder& folder)
{
    close();
    if (!name_.isEmpty() && identity_.isKnown() && folder.isOpen())
        folder.removeOwned(name_, identity_);
    name_.clear();
    identity_ = FileIdentity();
    size_ = 0;
}

int PartFile::renameTo(const DownloadFolder& folder, const QString& name)
{
    FileIdentity found;
    if (const int error = folder.regularFile(name_, &found))
        return error;
    if (found != identity_)
        return ENOENT; // someone else's file has the name now: ours is gone
    if (const int error = folder.renameWithoutReplacing(name_, name))
        return error;
    name_ = name;
    return 0;
}

} // namespace ZelkShell
