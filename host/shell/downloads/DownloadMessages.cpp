#include "host/shell/downloads/DownloadMessages.h"

#include <QLocale>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace ZelkShell {

QString DownloadMessages::forHttpStatus(int status, const QByteArray& reasonPhrase)
{
    switch (status) {
    case 404:
    case 410:
        return tr("the server has no file at this address (%1)").arg(status);
    case 401:
    case 403:
        return tr("the server refused access to the file (%1)").arg(status);
    default:
        break;
    }
    const QString reason = QString::fromLatin1(reasonPhrase).trimmed();
    const QString code = reason.isEmpty() ? QString::number(status) : QStringLiteral("%1 %2").arg(status).arg(reason);
    if (status >= 500)
        return tr("the server failed to send the file (%1)").arg(code);
    return tr("the server answered %1 instead of the file").arg(code);
}

QString DownloadMessages::forNetworkError(QNetworkReply::NetworkError error, const QString& host, const QString& detail)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return tr("the server %1 refused the connection").arg(host);
    case QNetworkReply::HostNotFoundError:
        return tr("the server %1 was not found").arg(host);
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return tr("the server %1 stopped answering").arg(host);
    case QNetworkReply::RemoteHostClosedError:
        return tr("the server %1 closed the connection").arg(host);
    case QNetworkReply::SslHandshakeFailedError:
        return tr("the secure connection to %1 failed: %2").arg(host, detail);
    case QNetworkReply::InsecureRedirectError:
        return tr("the server redirected the download from https to an address that is not secure; it was not "
                  "followed");
    case QNetworkReply::TooManyRedirectsError:
        return tr("the server redirected the download too many times");
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
        return tr("the server redirected the download to an address that is not http or https");
    default:
        return tr("the download from %1 failed: %2").arg(host, withoutCredentials(detail));
    }
}

QString DownloadMessages::forDiskError(int error, const QString& folder)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return tr("the disk is full (%1)").arg(folder);
    case ENOENT:
    case ENOTDIR:
        return folderMissing(folder);
    case ELOOP:
        return tr("the folder %1 is a link to another folder; downloads are saved only into the folder itself")
            .arg(folder);
    case EACCES:
    case EPERM:
    case EROFS:
        return tr("the folder %1 cannot be written to").arg(folder);
    default:
        return tr("the file could not be written in %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString DownloadMessages::connectionDropped(qint64 received, qint64 total)
{
    if (received == 0)
        return tr("the server closed the connection before sending any of the file");
    if (total < 0)
        return tr("the connection dropped after %1").arg(bytes(received));
    return tr("the connection dropped after %1 of %2").arg(bytes(received), bytes(total));
}

QString DownloadMessages::folderMissing(const QString& folder)
{
    return tr("the folder %1 does not exist").arg(folder);
}

QString DownloadMessages::noFolderSet()
{
    return tr("no default video folder is set in the preferences");
}

QString DownloadMessages::refusedAddress(const QString& address)
{
    return tr("Only http and https addresses can be downloaded, not \"%1\".").arg(withoutCredentials(address));
}

QString DownloadMessages::rangeRefused()
{
    return tr("the server refused to send the file (416 Range Not Satisfiable)");
}

QString DownloadMessages::wrongPartAgain(int attempts)
{
    return tr("the server kept sending another part of the file than the one asked for (%1 tries)").arg(attempts);
}

QString DownloadMessages::partForWhole()
{
    return tr("the server sent only part of the file when the whole file was asked for");
}

QString DownloadMessages::busyAgain(int status, int attempts)
{
    return tr("the server was still busy (%1) after %2 tries; try again later").arg(status).arg(attempts);
}

QString DownloadMessages::needsSigningInAgain()
{
    return tr("the server needs signing in again: user names and passwords are not kept, so add the address "
              "again with them");
}

QString DownloadMessages::intoDataFolder(const QString& folder)
{
    return tr("downloads are not saved in the player's own data folder (%1); choose another default video folder")
        .arg(folder);
}

QString DownloadMessages::folderReplaced(const QString& folder)
{
    return tr("the folder %1 was moved or replaced by a link during the download; the file was not saved")
        .arg(folder);
}

QString DownloadMessages::noFreeName(const QString& folder)
{
    return tr("every name for the file is taken in %1").arg(folder);
}

QString DownloadMessages::renamedFromJournal(const QString& proposed, const QString& saved)
{
    return tr("saved as \"%1\", not \"%2\": a database would take that name for its journal").arg(saved, proposed);
}

QString DownloadMessages::withoutCredentials(const QString& text)
{
    // "scheme://" (or "//") then anything up to an "@" before the host ends.
    static const QRegularExpression userInfo(QStringLiteral("(//)[^/?#\\s]*@"));
    QString result = text;
    return result.replace(userInfo, QStringLiteral("\\1"));
}

QString DownloadMessages::bytes(qint64 count)
{
    const QLocale locale;
    if (count < 1000)
        return tr("%1 bytes").arg(count);
    if (count < 1000 * 1000)
        return tr("%1 kB").arg(locale.toString(count / 1e3, 'f', 1));
    if (count < 1000LL * 1000 * 1000)
        return tr("%1 MB").arg(locale.toString(count / 1e6, 'f', count < 100LL * 1000 * 1000 ? 1 : 0));
    return tr("%1 GB").arg(locale.toString(count / 1e9, 'f', 2));
}

} // namespace ZelkShell
