// Helpers of the hardening tests: a private registry directory, child
// processes started from this test binary, and reading a whole key tree.
#pragma once

#include "win32_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <map>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace hardening {

using WStr = std::basic_string<WCHAR>;
using Bytes = std::string;

inline WStr W(const std::string &ascii) { return WStr(ascii.begin(), ascii.end()); }

inline std::string selfPath() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  buf[n] = 0;
  return buf;
}

inline int removeEntry(const char *path, const struct stat *, int, struct FTW *) { return ::remove(path); }
inline void removeTree(const std::string &dir) { ::nftw(dir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS); }

inline std::string makeTempDir(const char *prefix) {
  std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back(0);
  if (!::mkdtemp(buf.data())) std::abort();
  return buf.data();
}

// A temporary directory removed when the test ends, passed or failed.
class TempDir {
public:
  explicit TempDir(const char *prefix) : path_(makeTempDir(prefix)) {}
  ~TempDir() { removeTree(path_); }
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &path() const { return path_; }

private:
  std::string path_;
};

// Starts this binary again with `args` and ZELK_REGISTRY_DIR=`registryDir`;
// returns its pid. Standard output goes to `outputPath` unless empty.
inline pid_t spawnSelf(const std::vector<std::string> &args, const std::string &registryDir,
                       const std::string &outputPath = {}) {
  pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::setenv("ZELK_REGISTRY_DIR", registryDir.c_str(), 1);
  if (!outputPath.empty()) {
    int fd = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) {
      ::dup2(fd, 1);
      ::close(fd);
    }
  }
  std::vector<std::string> all{selfPath()};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char *> argv;
  for (std::string &a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

// Exit code, or 128 + signal number.
inline int waitFor(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

inline std::string readFile(const std::string &path) {
  std::string data;
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return data;
  char buf[65536];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) data.append(buf, size_t(n));
  ::close(fd);
  return data;
}

inline void writeFile(const std::string &path, const std::string &data) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return;
  if (::write(fd, data.data(), data.size()) != ssize_t(data.size())) std::abort();
  ::close(fd);
}

// Every value of every key below `path` (one level of sub-keys plus the key
// itself), read through the API: key name -> value name -> (type, bytes).
struct Tree {
  std::map<std::string, std::map<std::string, Bytes>> keys;
  LONG status = ERROR_SUCCESS;
};

inline std::string narrow(const WCHAR *units, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out.push_back(char(units[i] < 0x80 ? units[i] : '?'));
  return out;
}

inline LONG readValues(HKEY key, std::map<std::string, Bytes> &values) {
  for (DWORD index = 0;; ++index) {
    WCHAR name[256];
    DWORD nameLength = 256;
    DWORD type = 0;
    BYTE data[16384];
    DWORD size = sizeof data;
    LONG rc = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc != ERROR_SUCCESS) return rc;
    values[narrow(name, nameLength)] = std::to_string(type) + ":" + Bytes(reinterpret_cast<char *>(data), size);
  }
}

inline Tree readTree(HKEY root, const WStr &path) {
  Tree tree;
  HKEY top = nullptr;
  tree.status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &top);
  if (tree.status == ERROR_FILE_NOT_FOUND) {
    tree.status = ERROR_SUCCESS;
    return tree;
  }
  if (tree.status != ERROR_SUCCESS) return tree;
  for (DWORD index = 0; tree.status == ERROR_SUCCESS; ++index) {
    WCHAR name[256];
    DWORD nameLength = 256;
    LONG rc = RegEnumKeyExW(top, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) {
      tree.status = rc;
      break;
    }
    HKEY sub = nullptr;
    tree.status = RegOpenKeyExW(top, WStr(name, nameLength).c_str(), 0, KEY_READ, &sub);
    if (tree.status != ERROR_SUCCESS) break;
    tree.status = readValues(sub, tree.keys[narrow(name, nameLength)]);
    RegCloseKey(sub);
  }
  RegCloseKey(top);
  return tree;
}

} // namespace hardening
