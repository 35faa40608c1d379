#include "host/shell/downloads/DownloadFolder.h"

#include <QFile>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

namespace ZelkShell {

namespace {

// Deep enough for any real folder tree; a bound so that a looping file
// system cannot keep the walk going.
constexpr int maxDepth = 256;

FileIdentity identityOf(const struct stat& status)
{
    return FileIdentity{qint64(status.st_dev), qint64(status.st_ino)};
}

} // namespace

QByteArray nativeName(const QString& name)
{
    return QFile::encodeName(name);
}

int describe(int dirFd, const char* name, int flags, FileIdentity* identity, qint64* size, bool* regular)
{
    struct statx status;
    if (::statx(dirFd, name, flags | AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_INO | STATX_SIZE | STATX_BTIME, &status)
        != 0)
        return errno;
    const bool born = (status.stx_mask & STATX_BTIME) != 0;
    *identity = FileIdentity{qint64(makedev(status.stx_dev_major, status.stx_dev_minor)), qint64(status.stx_ino),
                             born ? qint64(status.stx_btime.tv_sec) * 1000000000 + status.stx_btime.tv_nsec : 0};
    *size = qint64(status.stx_size);
    *regular = S_ISREG(status.stx_mode);
    return 0;
}

int DownloadFolder::open(const QString& path)
{
    close();
    // Non-blocking: whatever has the name, opening it must not wait.
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    fd_ = fd;
    path_ = path;
    return 0;
}

void DownloadFolder::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int DownloadFolder::regularFile(const QString& name, FileIdentity* identity, qint64* size) const
{
    FileIdentity found;
    qint64 bytes = 0;
    bool regular = false;
    if (const int error = describe(fd_, nativeName(name).constData(), AT_SYMLINK_NOFOLLOW, &found, &bytes, &regular))
        return error;
    if (!regular)
        return EINVAL;
    *identity = found;
    if (size)
        *size = bytes;
    return 0;
}

int DownloadFolder::lookUp(const QString& name) const
{
    struct stat status;
    return ::fstatat(fd_, nativeName(name).constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int DownloadFolder::renameWithoutReplacing(const QString& from, const QString& to) const
{
    const QByteArray source = nativeName(from);
    const QByteArray target = nativeName(to);
    if (::renameat2(fd_, source.constData(), fd_, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without the flag: a hard link fails on an existing name
    // just the same, and the old name goes once the new one is there.
    if (::linkat(fd_, source.constData(), fd_, target.constData(), 0) != 0)
        return errno;
    ::unlinkat(fd_, source.constData(), 0);
    return 0;
}

int DownloadFolder::removeOwned(const QString& name, const FileIdentity& identity) const
{
    FileIdentity found;
    if (const int error = regularFile(name, &found))
        return error;
    if (found != identity)
        return EEXIST;
    return ::unlinkat(fd_, nativeName(name).constData(), 0) == 0 ? 0 : errno;
}

bool DownloadFolder::stillAt(const QString& path) const
{
    struct stat here;
    struct stat there;
    return ::fstat(fd_, &here) == 0 && ::lstat(nativeName(path).constData(), &there) == 0 && S_ISDIR(there.st_mode)
           && identityOf(here) == identityOf(there);
}

bool DownloadFolder::isWithin(const QString& other) const
{
    struct stat target;
    if (::stat(nativeName(other).constData(), &target) != 0)
        return false;
    int current = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    bool within = false;
    for (int depth = 0; current >= 0 && depth < maxDepth && !within; ++depth) {
        struct stat here;
        if (::fstat(current, &here) != 0)
            break;
        within = identityOf(here) == identityOf(target);
        const int parent = ::openat(current, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
        struct stat above;
        const bool atRoot = parent < 0 || ::fstat(parent, &above) != 0 || identityOf(above) == identityOf(here);
        ::close(current);
        current = atRoot ? -1 : parent;
        if (atRoot && parent >= 0)
            ::close(parent);
    }
    if (current >= 0)
        ::close(current);
    return within;
}

} // namespace ZelkShell
