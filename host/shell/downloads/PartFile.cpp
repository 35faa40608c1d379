#include "host/shell/downloads/PartFile.h"

#include <QFile>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ZelkShell {

int PartFile::create(const QString& path)
{
    close();
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          0644);
    if (fd < 0)
        return errno;
    fd_ = fd;
    size_ = 0;
    path_ = path;
    return 0;
}

int PartFile::openToAppend(const QString& path)
{
    close();
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat status;
    int error = 0;
    if (::fstat(fd, &status) != 0)
        error = errno;
    else if (!S_ISREG(status.st_mode))
        error = EINVAL;
    if (error != 0) {
        ::close(fd);
        return error;
    }
    fd_ = fd;
    size_ = status.st_size;
    path_ = path;
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
    if (::ftruncate(fd_, 0) != 0)
        return errno;
    size_ = 0;
    return 0;
}

void PartFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void PartFile::discard()
{
    close();
    if (!path_.isEmpty())
        ::unlink(QFile::encodeName(path_).constData());
    path_.clear();
    size_ = 0;
}

int renameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without the flag: a hard link fails on an existing name
    // just the same, and the old name goes once the new one is there.
    if (::link(source.constData(), target.constData()) != 0)
        return errno;
    ::unlink(source.constData());
    return 0;
}

} // namespace ZelkShell
