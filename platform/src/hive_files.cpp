// Hive file checks, creation leftovers and disk-full errors.
#include "hive_files.h"

#include "reg_error.h"

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return ERROR_BADDB;
  struct stat st;
  bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ssize_t got = regular ? ::read(fd, header, size) : -1;
  ::close(fd);
  if (got != ssize_t(size)) return ERROR_BADDB;
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

} // namespace zelk::registry
