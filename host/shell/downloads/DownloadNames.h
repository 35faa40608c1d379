#pragma once

#include <QByteArray>
#include <QString>

class QUrl;

namespace ZelkShell {
class DownloadFolder;
}

namespace ZelkShell::DownloadNames {

// What the partial data of a download is kept under until it is complete.
inline const QString partSuffix = QStringLiteral(".part");

// The longest name a download gets, in UTF-8 bytes: 255, the longest name
// common file systems take, less the ".part" its data is first written under.
constexpr int maxNameBytes = 255 - 5;

// The name a Content-Disposition header proposes: `filename*=` (RFC 5987,
// UTF-8 or ISO-8859-1) before `filename=` (quoted or not); empty when it
// proposes none. The name is returned as sent: make it safe before use.
QString fromContentDisposition(const QByteArray& header);

// The last segment of the URL's path, percent-decoded; empty when the path
// ends with a slash or has none.
QString fromUrl(const QUrl& url);

// `proposed` made into a name that is safe to create in the download folder
// and to carry to other systems: its last path component only (no "/" or
// "\"), no control or invisible format characters, none of the characters
// Windows refuses, no leading dot (no hidden files), no trailing dots or
// spaces, not a Windows device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// with or without an extension), and at most `maxBytes` UTF-8 bytes with the
// extension kept. Never empty: "download" stands in for a name with nothing
// left.
QString safeFileName(const QString& proposed, int maxBytes = maxNameBytes);

// How many numbered names freeName tries before it gives up.
constexpr int maxNumberedNames = 1000;

// The first of `name`, "stem (2).ext", "stem (3).ext"... for which neither
// the file nor its ".part" exists in `folder` (a dangling link counts as
// taken), each kept within maxNameBytes. `name` must be safe already. Empty,
// with `*error` set, when a name cannot be looked up (the errno) or every
// numbered name is taken (EEXIST).
QString freeName(const DownloadFolder& folder, const QString& name, int* error);

// `name` with an ending a database would take for its journal beside a file
// of the same stem ("-wal", "-shm", "-journal", any case) changed to one it
// does not ("_wal"...); other names as they are.
QString withoutJournalEnding(const QString& name);

} // namespace ZelkShell::DownloadNames
