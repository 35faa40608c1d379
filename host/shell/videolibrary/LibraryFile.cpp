#include "host/shell/videolibrary/LibraryFile.h"

#include "host/shell/behaviour/FreeNames.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <limits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZelkShell::LibraryFile {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

bool makePrivateFolder(const QString& folder, QString* error)
{
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    QString path;
    // Each missing component is made 0700: mkdir only ever removes bits
    // through the umask, so even umask 000 leaves it private.
    for (const QString& part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        const QByteArray name = QFile::encodeName(path);
        if (::mkdir(name.constData(), 0700) == 0 || errno == EEXIST)
            continue;
        *error = QStringLiteral("cannot create %1: %2").arg(path, systemError());
        return false;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(absolute).constData(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        *error = QStringLiteral("%1 is not a folder").arg(absolute);
        return false;
    }
    return true;
}

bool makePrivateFile(const QString& file, QString* error)
{
    const QByteArray name = QFile::encodeName(file);
    const int created = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (created >= 0) {
        ::close(created);
        return true;
    }
    struct stat status {};
    if (errno != EEXIST || ::stat(name.constData(), &status) != 0) {
        *error = QStringLiteral("cannot create %1: %2").arg(file, systemError());
        return false;
    }
    if ((status.st_mode & 077) != 0 && ::chmod(name.constData(), status.st_mode & 0700) != 0) {
        *error = QStringLiteral("cannot make %1 private: %2").arg(file, systemError());
        return false;
    }
    return true;
}

QString unusableBecause(const QString& file)
{
    const QByteArray name = QFile::encodeName(file);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return errno == ENOENT ? QString() : systemError();
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("it is a folder");
    // A FIFO or a device would block or misbehave when SQLite opens it; a
    // link is judged by what it points to.
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("it is not a regular file");
    if (::access(name.constData(), R_OK | W_OK) != 0)
        return QStringLiteral("it cannot be read and written: %1").arg(systemError());
    return QString();
}

QString moveAside(const QString& file, QString* error)
{
    const QString base = QStringLiteral("%1.damaged-%2").arg(file, QDate::currentDate().toString(Qt::ISODate));
    int taken = 0;
    const QString aside = firstFreeName(
        [&base](int number) { return number == 1 ? base : QStringLiteral("%1-%2").arg(base).arg(number); },
        [](const QString& name) { return QFileInfo::exists(name) || QFileInfo(name).isSymLink() ? EEXIST : 0; },
        std::numeric_limits<int>::max(), &taken);
    if (::rename(QFile::encodeName(file).constData(), QFile::encodeName(aside).constData()) != 0) {
        *error = QStringLiteral("cannot move %1 aside: %2").arg(file, systemError());
        return QString();
    }
    // A journal left beside the damaged file belongs to it, not to the new one.
    for (const QString& suffix : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        const QByteArray from = QFile::encodeName(file + suffix);
        const QByteArray to = QFile::encodeName(aside + suffix);
        if (QFileInfo::exists(file + suffix) && ::rename(from.constData(), to.constData()) != 0) {
            *error = QStringLiteral("cannot move %1 aside: %2").arg(file + suffix, systemError());
            return QString();
        }
    }
    return aside;
}

} // namespace ZelkShell::LibraryFile
