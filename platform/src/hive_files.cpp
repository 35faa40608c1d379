// Hive file checks, creation leftovers and disk-full errors.
#include "hive_files.h"

#include "reg_error.h"

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zelk::registry {
namespace {

// Whether `path` exists as something other than a regular file.
bool existsIrregular(const std::string &path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

std::string baseName(const std::string &path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process id in "<pid>-<n>" followed by nothing, "-wal", "-shm" or
// "-journal" (SQLite's, while the new file is switched to WAL);
// 0 when `rest` does not have that form.
pid_t leftoverOwner(const std::string &rest) {
  size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string::npos || dash > 10) return 0;
  for (size_t i = 0; i < dash; ++i) {
    if (rest[i] < '0' || rest[i] > '9') return 0;
  }
  std::string tail = rest.substr(dash + 1);
  size_t digits = 0;
  while (digits < tail.size() && tail[digits] >= '0' && tail[digits] <= '9') ++digits;
  std::string suffix = tail.substr(digits);
  if (digits == 0 || (!suffix.empty() && suffix != "-wal" && suffix != "-shm" && suffix != "-journal")) return 0;
  return pid_t(std::strtol(rest.substr(0, dash).c_str(), nullptr, 10));
}

bool processGone(pid_t pid) { return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH; }

} // namespace

LONG readHiveHeader(const std::string &file, char *header, size_t size) {
  // Only a regular file is opened: opening a FIFO for reading would wait for
  // a writer.
  struct stat st;
  if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return ERROR_BADDB;
  // Read through SQLite's own file layer, never with an open()/close() of our
  // own: closing any descriptor of a file drops every POSIX lock the process
  // holds on it, among them the locks of a connection already open on this
  // hive in this process (another copy of this library, in a loaded module).
  // Without them another process closing its last connection would take the
  // hive for unused, checkpoint it and delete the WAL that this process goes
  // on writing to, unseen by anyone else. SQLite keeps such a descriptor open
  // until the process's locks on the file are released.
  sqlite3_vfs *vfs = sqlite3_vfs_find(nullptr);
  if (!vfs) return ERROR_BADDB;
  std::vector<char> storage(size_t(vfs->szOsFile), 0);
  auto *handle = reinterpret_cast<sqlite3_file *>(storage.data());
  sqlite3_filename name = sqlite3_create_filename(file.c_str(), "", "", 0, nullptr);
  if (!name) return ERROR_OUTOFMEMORY;
  int flags = 0;
  int rc = vfs->xOpen(vfs, name, handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB, &flags);
  if (rc == SQLITE_OK) rc = handle->pMethods->xRead(handle, header, int(size), 0);
  if (handle->pMethods) handle->pMethods->xClose(handle);
  sqlite3_free_filename(name);
  if (rc != SQLITE_OK) return ERROR_BADDB;
  if (existsIrregular(file + "-wal") || existsIrregular(file + "-shm")) return ERROR_BADDB;
  return ERROR_SUCCESS;
}

std::string creationName(const HiveLocation &location, unsigned nonce) {
  return location.file + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(nonce);
}

void removeCreationLeftovers(const HiveLocation &location) {
  DIR *dir = ::opendir(location.directory.c_str());
  if (!dir) return;
  const std::string prefix = baseName(location.file) + ".new-";
  while (const dirent *entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    if (processGone(leftoverOwner(name.substr(prefix.size())))) {
      ::unlink((location.directory + "/" + name).c_str());
    }
  }
  ::closedir(dir);
}

bool diskFullErrno(int error) { return error == ENOSPC || error == EDQUOT; }

LONG win32FromSqliteOn(sqlite3 *db, int rc) {
  int primary = rc & 0xff;
  if (db && (primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN) &&
      diskFullErrno(sqlite3_system_errno(db))) {
    return ERROR_DISK_FULL;
  }
  LONG code = win32FromSqlite(rc);
  return code == ERROR_SUCCESS ? ERROR_REGISTRY_IO_FAILED : code;
}

std::string currentBootId() {
  std::string id;
  if (FILE *f = std::fopen("/proc/sys/kernel/random/boot_id", "re")) {
    char buf[64];
    if (std::fgets(buf, sizeof buf, f)) id = buf;
    std::fclose(f);
  }
  while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
  return id;
}

} // namespace zelk::registry
