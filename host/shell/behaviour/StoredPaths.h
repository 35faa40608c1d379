#pragma once

#include <QByteArray>
#include <QString>

namespace ZelkShell {

// How the player writes a local file's path into its own stores (the
// recently watched list, the resume positions' value names): as a local-file
// URL in which every character that could split or disguise the path (line
// breaks, other control characters, '%', '#', '?') is percent-encoded, so a
// stored path never runs into its neighbour. Paths written by earlier
// versions (plain absolute paths) are still read.
namespace StoredPaths {

// "file:///videos/new%0Aline.mkv" for "/videos/new\nline.mkv"; empty for a
// path that is not absolute.
QString encode(const QString& absolutePath);
// The path `stored` names: a local-file URL as encode() writes it, or a plain
// absolute path as earlier versions wrote it; empty when it is neither.
QString decode(const QString& stored);

// Whether the file name the system gave as `raw` bytes survives the trip to
// text and back, as Qt decodes file names and as the engine takes them
// (UTF-8). A name that is not valid in the system's encoding (bytes that are
// not UTF-8 on a UTF-8 system) would be decoded with replacement
// characters and then name another file, or none: the player refuses such
// names rather than play, store or reopen a different file.
bool isFaithful(const QByteArray& raw);
// Whether `path`, a name Qt has already decoded (from a file dialog, a
// list), may stand for a file whose real name is not text: its last part
// holds a replacement character and its folder has an entry whose bytes are
// not text but decode to that same part. Opening it could open the other.
bool isAmbiguous(const QString& path);
// `raw` for a message: valid text as it is, every other byte as \xHH.
QString printable(const QByteArray& raw);
// Why a file whose name `raw` (bytes that are not valid text here) is not
// opened: the same words wherever such a name comes from (the command line,
// the media controls).
QString unrepresentableNameMessage(const QByteArray& raw);

} // namespace StoredPaths

} // namespace ZelkShell
