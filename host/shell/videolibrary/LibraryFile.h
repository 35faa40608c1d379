#pragma once

#include <QString>

namespace ZelkShell {

// The library file on the disk: kept private to the user (the viewing
// history), and moved aside rather than lost when it is damaged.
namespace LibraryFile {

// Creates `folder` and its missing parents with mode 0700, whatever the umask.
bool makePrivateFolder(const QString& folder, QString* error);
// Creates `file` empty with mode 0600 (SQLite takes an empty file for an empty
// database); an existing one loses its group and other permissions.
bool makePrivateFile(const QString& file, QString* error);

// Why `file` cannot be the library (a folder, a FIFO, unreadable ...); empty
// when it can, or when it does not exist yet.
QString unusableBecause(const QString& file);

// Renames `file` (and a journal SQLite left beside it) to
// "<file>.damaged-<date>", numbered when that is taken; never deletes. The new
// name, or empty with `error` filled.
QString moveAside(const QString& file, QString* error);

} // namespace LibraryFile

} // namespace ZelkShell
