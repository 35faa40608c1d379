// Hive file locations from the environment, private directory creation and
// the write-permission test behind the read-only machine hive.
#include "hive_locations.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zelk::registry {
namespace {

std::string envOrEmpty(const char *name) {
  const char *v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string homeDirectory() {
  std::string home = envOrEmpty("HOME");
  if (!home.empty()) return home;
  if (const passwd *pw = getpwuid(getuid())) {
    if (pw->pw_dir) return pw->pw_dir;
  }
  return "/tmp";
}

std::string parentOf(const std::string &path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool isDirectory(const std::string &path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

bool fileExists(const std::string &path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

HiveLocation locateHive(HiveId id) {
  HiveLocation loc;
  std::string dir = envOrEmpty("ZELK_REGISTRY_DIR");
  if (dir.empty()) {
    if (id == HiveId::User) {
      std::string config = envOrEmpty("XDG_CONFIG_HOME");
      if (config.empty() || config[0] != '/') config = homeDirectory() + "/.config";
      dir = config + "/zelk/registry";
    } else {
      dir = "/var/lib/zelk/registry";
    }
  }
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  loc.directory = dir;
  loc.file = dir + (id == HiveId::User ? "/user.db" : "/machine.db");
  if (id == HiveId::Machine) {
    std::string ro = envOrEmpty("ZELK_REGISTRY_MACHINE_READONLY");
    loc.forcedReadOnly = !ro.empty() && ro != "0";
  }
  return loc;
}

bool makePrivateDirectories(const std::string &directory) {
  // The missing folders, innermost first; made outermost first. A loop, not
  // recursion: the path comes from the environment and may be very deep.
  std::vector<std::string> missing;
  for (std::string dir = directory; !dir.empty() && !isDirectory(dir);) {
    missing.push_back(dir);
    std::string parent = parentOf(dir);
    if (parent == dir) break;
    dir = parent;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), 0700) != 0 && !(errno == EEXIST && isDirectory(*it))) return false;
  }
  return true;
}

bool mayWriteHive(const HiveLocation &location) {
  if (location.forcedReadOnly) return false;
  if (fileExists(location.file)) {
    return ::access(location.file.c_str(), R_OK | W_OK) == 0 &&
           ::access(location.directory.c_str(), W_OK | X_OK) == 0;
  }
  // The file would be created: the nearest existing ancestor must be writable.
  std::string dir = location.directory;
  while (!isDirectory(dir)) {
    std::string parent = parentOf(dir);
    if (parent == dir) return false;
    dir = parent;
  }
  return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

} // namespace zelk::registry
