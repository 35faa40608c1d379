// How many of this process's open file descriptors lead to a file. SQLite
// holds one on a database file for each connection to it, and keeps a
// descriptor it was asked to close open while the process holds locks on
// the file (closing it would drop them). So 1 on a hive means exactly one
// connection to it; more means another connection, or a file that one was
// opened and closed beside it.
#pragma once

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace zelk_test {

// -1 when the file or /proc/self/fd cannot be read.
inline int openDescriptorsOf(const std::string &path) {
  char resolved[PATH_MAX];
  if (!::realpath(path.c_str(), resolved)) return -1;
  DIR *descriptors = ::opendir("/proc/self/fd");
  if (!descriptors) return -1;
  int count = 0;
  while (const dirent *entry = ::readdir(descriptors)) {
    const std::string fd = std::string("/proc/self/fd/") + entry->d_name;
    char link[PATH_MAX];
    const ssize_t length = ::readlink(fd.c_str(), link, sizeof link);
    if (length > 0 && std::string(link, size_t(length)) == resolved) ++count;
  }
  ::closedir(descriptors);
  return count;
}

} // namespace zelk_test
