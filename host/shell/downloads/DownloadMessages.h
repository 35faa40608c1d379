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
    // A 416 to a request for the whole file, or answers for other parts
    // than the one asked for after `attempts` requests.
    static QString rangeRefused();
    static QString wrongPartAgain(int attempts);
    // A 206 to a request for the whole file that holds only part of it.
    static QString partForWhole();
    // The server stayed busy (a 503 and the like) through `attempts` requests.
    static QString busyAgain(int status, int attempts);
    // The address had a user name or password, which was not kept.
    static QString needsSigningInAgain();
    static QString intoDataFolder(const QString& folder);
    // The folder was moved, or replaced by a link, while the file downloaded.
    static QString folderReplaced(const QString& folder);
    // Every numbered name up to the limit is taken.
    static QString noFreeName(const QString& folder);
    // The name the server proposed was changed from `proposed` to `saved`.
    static QString renamedFromJournal(const QString& proposed, const QString& saved);
    // `text` with any user name and password in an address taken out
    // ("http://user:pw@host/" becomes "http://host/").
    static QString withoutCredentials(const QString& text);
    // Given as "12.3 MB".
    static QString bytes(qint64 count);
};

} // namespace ZelkShell
