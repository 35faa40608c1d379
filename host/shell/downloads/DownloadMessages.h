#pragma once

#include <QCoreApplication>
#include <QNetworkReply>
#include <QString>

namespace ZelkShell {

// Why a download stopped, in the words its row shows. Safe to call from the
// transfer thread.
class DownloadMessages {
    Q_DECLARE_TR_FUNCTIONS(ZelkShell::DownloadMessages)

public:
    // The server answered with an HTTP status other than 200 or 206.
    static QString forHttpStatus(int status, const QByteArray& reasonPhrase);
    // The transfer failed below HTTP (connection, name lookup, TLS, a
    // refused redirect); `detail` is Qt's own description.
    static QString forNetworkError(QNetworkReply::NetworkError error, const QString& host, const QString& detail);
    // Writing or creating the data in `folder` failed with `error` (an errno).
    static QString forDiskError(int error, const QString& folder);
    // The connection ended after `received` of `total` bytes.
    static QString connectionDropped(qint64 received, qint64 total);
    static QString folderMissing(const QString& folder);
    static QString noFolderSet();
    // The address is not an http or https URL.
    static QString refusedAddress(const QString& address);
    // Given as "12.3 MB".
    static QString bytes(qint64 count);
};

} // namespace ZelkShell
