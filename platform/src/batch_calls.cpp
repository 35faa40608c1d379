// Our extension of the registry API: ZelkRegBeginBatch, ZelkRegCommitBatch
// and ZelkRegRollbackBatch (see win32_registry.h and hive_batch.cpp).
#include "registry_context.h"

using namespace zelk::registry;

namespace {

template <typename Step> LONG onHiveOf(HKEY hKey, Step step) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    // A batch belongs to one hive; HKEY_CLASSES_ROOT spans two.
    if (HandleTable::isClassesRoot(hKey)) return LONG(ERROR_INVALID_HANDLE);
    KeyRef ref = reg.resolve(hKey);
    step(reg.hive(ref.hive));
    return ERROR_SUCCESS;
  });
}

} // namespace

extern "C" {

LSTATUS WINAPI ZelkRegBeginBatch(HKEY hKey) {
  return onHiveOf(hKey, [](Hive &hive) { hive.beginBatch(); });
}

LSTATUS WINAPI ZelkRegCommitBatch(HKEY hKey) {
  return onHiveOf(hKey, [](Hive &hive) { hive.commitBatch(); });
}

LSTATUS WINAPI ZelkRegRollbackBatch(HKEY hKey) {
  return onHiveOf(hKey, [](Hive &hive) { hive.rollbackBatch(); });
}

} // extern "C"
