// The key an import writes to, opened below the nearest key of an earlier
// line on its path: a .reg file names every key by its full path, and a key
// line that shares its beginning with a key still open creates only what
// differs, with one call. A file listing a deep tree key by key is then
// read in time proportional to its size, not to its size times its depth.
#pragma once

#include "win32_registry.h"

#include <string>
#include <utility>
#include <vector>

namespace zelkreg {

class OpenPath {
public:
  OpenPath() = default;
  ~OpenPath() { reset(); }
  OpenPath(const OpenPath &) = delete;
  OpenPath &operator=(const OpenPath &) = delete;

  // Creates (or opens) `subkey` below the predefined `root`, components
  // separated by backslashes; `key` is then its handle, owned by this
  // object until the next call or reset(). Returns the registry's code.
  LONG create(HKEY root, const std::basic_string<WCHAR> &subkey, HKEY &key);
  // Closes every handle (before the keys may be deleted).
  void reset();

private:
  HKEY root_ = nullptr;
  std::vector<std::basic_string<WCHAR>> path_; // components of the last key
  // Keys of earlier lines along path_: how many components each covers
  // (increasing), and its handle.
  std::vector<std::pair<size_t, HKEY>> keys_;
};

} // namespace zelkreg
