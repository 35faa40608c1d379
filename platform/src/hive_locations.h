// Where the hive files live, and which of them this process may write.
#pragma once

#include <string>

namespace zelk::registry {

enum class HiveId { User = 0, Machine = 1 };

struct HiveLocation {
  std::string directory; // folder holding the file
  std::string file;      // full path of the SQLite database
  bool forcedReadOnly = false;
};

// Reads ZELK_REGISTRY_DIR, ZELK_REGISTRY_MACHINE_READONLY, XDG_CONFIG_HOME
// and HOME (see win32_registry.h and docs/registry.md).
HiveLocation locateHive(HiveId id);

// Creates `directory` and its missing parents with mode 0700.
bool makePrivateDirectories(const std::string &directory);

// Whether this process could write the hive: the file (if it exists) and
// its directory are writable, or the directory can still be created.
bool mayWriteHive(const HiveLocation &location);

bool fileExists(const std::string &path);

} // namespace zelk::registry
