// ZelkRegBeginHiveTransaction and ZelkRegEndHiveTransaction: one SQLite
// transaction spanning many calls on a hive (see zelk_registry_transaction.h),
// and the hive's side of it (Hive::beginScope, Hive::endScope).
#include "hive_files.h"
#include "registry_context.h"
#include "zelk_registry_transaction.h"

#include <sqlite3.h>

using namespace zelk::registry;

namespace zelk::registry {

void Hive::beginScope() {
  ensureOpen(true); // (in a forked child this also leaves the parent's transaction)
  if (scopeOpen_) fail(ERROR_BUSY);
  if (!writable() || placeholder_) fail(ERROR_ACCESS_DENIED);
  beginRaw(true);
  cache_.clear();
  scopeOpen_ = true;
}

void Hive::endScope(bool commit) {
  ensureOpen(false); // a forked child has no transaction of its parent's to end
  if (!scopeOpen_) fail(ERROR_INVALID_FUNCTION);
  scopeOpen_ = false;
  cache_.clear();
  int rc = commit ? commitRaw() : SQLITE_OK;
  if (!commit || rc != SQLITE_OK) {
    LONG code = rc == SQLITE_OK ? ERROR_SUCCESS : win32FromSqliteOn(db_, rc);
    if (!sqlite3_get_autocommit(db_)) runControl("ROLLBACK");
    if (code != ERROR_SUCCESS) fail(code);
  }
}

} // namespace zelk::registry

namespace {

// The hive of a predefined root handle; anything else is ERROR_INVALID_HANDLE.
Hive &rootHive(Registry &reg, HKEY root) {
  HiveId id;
  if (!HandleTable::isPredefined(root) || !HandleTable::predefinedHive(root, id)) fail(ERROR_INVALID_HANDLE);
  return reg.hive(id);
}

} // namespace

extern "C" {

LSTATUS WINAPI ZelkRegBeginHiveTransaction(HKEY hRootKey) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<std::mutex> lock(reg.mutex);
    rootHive(reg, hRootKey).beginScope();
    return ERROR_SUCCESS;
  });
}

LSTATUS WINAPI ZelkRegEndHiveTransaction(HKEY hRootKey, BOOL bCommit) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<std::mutex> lock(reg.mutex);
    rootHive(reg, hRootKey).endScope(bCommit != 0);
    return ERROR_SUCCESS;
  });
}

} // extern "C"
