// The files around a hive: what may be opened as one, the leftovers of an
// interrupted creation, and what a failed write says about the disk.
#pragma once

#include "hive_locations.h"
#include "win32_registry.h"

#include <cstddef>
#include <string>

struct sqlite3;

namespace zelk::registry {

// Reads the first `size` bytes of the hive file into `header`. Never blocks:
// a path that is not a regular file (a FIFO, device, socket or directory)
// gives ERROR_BADDB at once, as does a short or unreadable file. A -wal or
// -shm companion that exists but is not a regular file gives ERROR_BADDB
// too, since SQLite would open it without asking.
LONG readHiveHeader(const std::string &file, char *header, size_t size);

// Removes what the creation of a new hive left behind when its process was
// killed: "<file>.new-<pid>-<n>" with its -wal, -shm and -journal, for processes that
// no longer exist. Files of a live process (or of a process id now used by
// another process) stay.
void removeCreationLeftovers(const HiveLocation &location);

// The temporary name of a hive being created by this process.
std::string creationName(const HiveLocation &location, unsigned nonce);

// What identifies the running boot of the system (the kernel's boot_id),
// empty when it cannot be read. Volatile keys belong to one boot.
std::string currentBootId();

// Whether an errno means that the disk (or the user's quota) is full.
bool diskFullErrno(int error);

// The Win32 code for SQLite result `rc` on `db`: a write that failed
// because the disk is full is ERROR_DISK_FULL whichever SQLite code reports
// it (SQLite reports a full disk while growing the -shm file as an I/O error).
LONG win32FromSqliteOn(sqlite3 *db, int rc);

} // namespace zelk::registry
