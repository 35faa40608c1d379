// The transaction around an import: on the stand-in registry, one batch
// (ZelkRegBeginBatch, docs/registry.md "Batches") on each hive the file
// writes, so that an import that fails anywhere changes nothing. On Windows,
// whose registry has no such transaction, begin and commit do nothing: there
// the import's check of the whole file before any change is what it gets.
#pragma once

#include "win32_registry.h"

#include <vector>

namespace zelkreg {

class ImportTransaction {
public:
  ImportTransaction() = default;
  ~ImportTransaction(); // rolls back whatever was not committed
  ImportTransaction(const ImportTransaction &) = delete;
  ImportTransaction &operator=(const ImportTransaction &) = delete;

  // Opens a batch on each of `roots` (predefined keys; a hive file not yet
  // there is created). A hive this process may not write, or one the
  // registry does not have, needs none: every change to it fails anyway.
  // Other failures are returned.
  LONG begin(const std::vector<HKEY> &roots);
  // Commits the hives in order. A failed commit rolls back that hive and the
  // ones after it; hives committed before it keep their changes. The import
  // must be single-threaded: a batch belongs to the thread that began it.
  LONG commit();

private:
  std::vector<HKEY> open_;
};

} // namespace zelkreg
