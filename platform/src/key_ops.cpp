// Key calls: RegOpenKeyExW, RegCreateKeyExW, RegCloseKey, RegDeleteKeyW,
// RegDeleteKeyExW, SHDeleteKeyW and RegFlushKey.
#include "call_trace.h"
#include "registry_context.h"

using namespace zelk::registry;

namespace {

// Handle for `key` after an open or create; ERROR_NOT_ENOUGH_MEMORY when
// the handle table is full.
HKEY newHandle(Registry &reg, HiveId hive, KeyId key, REGSAM granted) {
  KeyRef ref;
  ref.hive = hive;
  ref.key = key;
  ref.granted = granted;
  HKEY h = reg.handles.add(ref);
  if (!h) fail(ERROR_NOT_ENOUGH_MEMORY);
  return h;
}

// Opens the existing key `path` below `ref` in a reading call: stores a new
// handle in `out` and returns true, or returns false (and opens nothing)
// when a component is missing.
bool openExistingKey(Registry &reg, Hive &hive, const KeyRef &ref, const std::vector<WString> &path,
                     REGSAM samDesired, PHKEY out) {
  Hive::Txn txn(hive, false);
  requireLive(hive, ref);
  KeyId key = walk(hive, ref.key, path);
  if (key == 0) return false;
  REGSAM granted = grantAccess(samDesired, hive.writable());
  txn.commit();
  *out = newHandle(reg, ref.hive, key, granted);
  return true;
}

// Deletes `subKey` below `hKey`: the key alone, or with `tree` its subtree.
LONG deleteKey(HKEY hKey, LPCWSTR subKey, bool tree) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    if (!subKey) return ERROR_INVALID_PARAMETER;
    std::vector<WString> path;
    if (LONG rc = splitKeyPath(subKey, path)) return rc;
    Hive &hive = reg.hive(ref.hive);
    Hive::Txn txn(hive, true);
    requireLive(hive, ref);
    KeyId target = walk(hive, ref.key, path);
    if (target == 0) return ERROR_FILE_NOT_FOUND;
    if (target == kRootKey || !hive.writable()) return ERROR_ACCESS_DENIED;
    if (tree) {
      hive.deleteTree(target);
    } else {
      if (hive.hasChildren(target)) return ERROR_ACCESS_DENIED;
      hive.deleteLeaf(target);
    }
    txn.commit();
    return ERROR_SUCCESS;
  });
}

} // namespace

extern "C" {

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                             PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    if (ref.predefined && (!lpSubKey || !*lpSubKey)) {
      *phkResult = hKey;
      return ERROR_SUCCESS;
    }
    *phkResult = nullptr;
    std::vector<WString> path;
    if (LONG rc = splitKeyPath(lpSubKey, path)) return rc;
    Hive &hive = reg.hive(ref.hive);
    if (!openExistingKey(reg, hive, ref, path, samDesired, phkResult)) return ERROR_FILE_NOT_FOUND;
    traceCall("open", ref.hive, ref.key, fromWide(lpSubKey));
    return ERROR_SUCCESS;
  });
}

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*Reserved*/, LPWSTR lpClass,
                               DWORD /*dwOptions*/, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                               PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    *phkResult = nullptr;
    std::vector<WString> path;
    if (LONG rc = splitKeyPath(lpSubKey, path)) return rc;
    Hive &hive = reg.hive(ref.hive);
    // Most creates find the key already there: look for it without taking
    // the hive's write lock.
    if (openExistingKey(reg, hive, ref, path, samDesired, phkResult)) {
      if (lpdwDisposition) *lpdwDisposition = REG_OPENED_EXISTING_KEY;
      traceCall("open", ref.hive, ref.key, fromWide(lpSubKey));
      return ERROR_SUCCESS;
    }
    Hive::Txn txn(hive, true);
    requireLive(hive, ref);
    KeyId key = ref.key;
    bool created = false;
    for (size_t i = 0; i < path.size(); ++i) {
      KeyId child = hive.findChild(key, path[i]);
      if (child == 0) {
        if (!txn.writing()) return ERROR_ACCESS_DENIED;
        // Windows refuses to make a tree deeper than 512 levels, with the
        // code of its kernel's failure to set up the new key's control
        // block. Keys already deeper (written some other way) stay usable.
        if (!created && hive.depthOf(key, kMaxTreeDepth + 1) + int(path.size() - i) > kMaxTreeDepth) {
          return ERROR_NO_SYSTEM_RESOURCES;
        }
        WString className = (i + 1 == path.size()) ? fromWide(lpClass) : WString();
        child = hive.createChild(key, path[i], className);
        created = true;
      }
      key = child;
    }
    REGSAM granted = grantAccess(samDesired, hive.writable());
    txn.commit();
    *phkResult = newHandle(reg, ref.hive, key, granted);
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    traceCall(created ? "create" : "open", ref.hive, ref.key, fromWide(lpSubKey));
    return ERROR_SUCCESS;
  });
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    if (HandleTable::isPredefined(hKey)) return ERROR_SUCCESS;
    return reg.handles.remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) { return deleteKey(hKey, lpSubKey, false); }

LSTATUS WINAPI RegDeleteKeyExW(HKEY hKey, LPCWSTR lpSubKey, REGSAM /*samDesired*/,
                               DWORD /*Reserved*/) {
  // There is one registry view: KEY_WOW64_32KEY and KEY_WOW64_64KEY agree.
  return deleteKey(hKey, lpSubKey, false);
}

DWORD WINAPI SHDeleteKeyW(HKEY hKey, LPCWSTR pszSubKey) {
  return DWORD(deleteKey(hKey, pszSubKey, true));
}

LSTATUS WINAPI RegFlushKey(HKEY hKey) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    Hive &hive = reg.hive(ref.hive);
    {
      Hive::Txn txn(hive, false);
      requireLive(hive, ref);
      txn.commit();
    }
    hive.flush();
    return ERROR_SUCCESS;
  });
}

} // extern "C"
