// ZelkRegBeginHiveTransaction and ZelkRegEndHiveTransaction: one SQLite
// transaction spanning many calls on a hive (see zelk_registry_transaction.h).
#include "registry_context.h"
#include "zelk_registry_transaction.h"

using namespace zelk::registry;

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
