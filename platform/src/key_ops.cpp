// Key calls: RegOpenKeyExW, RegCreateKeyExW, RegCloseKey, RegDeleteKeyW,
// RegDeleteKeyExW, SHDeleteKeyW and RegFlushKey.
#include "call_trace.h"
#include "classes_view.h"
#include "registry_context.h"

using namespace zelk::registry;

namespace {

// Handle for the key `ref` names after an open or create;
// ERROR_NOT_ENOUGH_MEMORY when the handle table is full.
HKEY newHandle(Registry &reg, const KeyRef &ref) {
  HKEY h = reg.handles.add(ref);
  if (!h) fail(ERROR_NOT_ENOUGH_MEMORY);
  return h;
}

// The root of hive `id`, as the starting point of a path.
KeyRef hiveRoot(HiveId id) {
  KeyRef ref;
  ref.hive = id;
  ref.key = kRootKey;
  ref.predefined = true;
  return ref;
}

// A path below an open key, as the calls walk it: from `from` along
// `path`; `made` is what a handle opened there starts from (for a key of
// HKEY_CLASSES_ROOT, its place in the view).
struct KeyPlace {
  KeyRef from;
  std::vector<WString> path;
  KeyRef made;
};

// The place of `path` below `ref`. Below a key of HKEY_CLASSES_ROOT it is
// in the hive whose key the view finds there; with `forCreate`, a key
// neither hive has goes to the hive the view creates it in.
KeyPlace placeOf(Registry &reg, const KeyRef &ref, const std::vector<WString> &path, bool forCreate) {
  KeyPlace place{ref, path, KeyRef()};
  if (!ref.classes) return place;
  place.made.classes = true;
  place.made.classesPath = joinPaths(ref.classesPath, path);
  ClassesKey found = findClassesKey(reg, place.made.classesPath);
  HiveId hive = found.key || !forCreate ? found.hive : hiveForNewClassesKey(reg, place.made.classesPath);
  place.from = hiveRoot(hive);
  place.path = classesHivePath(place.made.classesPath);
  return place;
}

// The sub-key a trace line names: as the call gave it or, below
// HKEY_CLASSES_ROOT, the path in the hive the key lies in.
WString tracedPath(const KeyPlace &place, LPCWSTR given) {
  if (!place.made.classes) return fromWide(given);
  WString path;
  for (const WString &component : place.path) path += (path.empty() ? u"" : u"\\") + component;
  return path;
}

// Opens the existing key at `place` in a reading call: stores a new handle
// in `out` and returns true, or returns false (and opens nothing) when a
// component is missing.
bool openExistingKey(Registry &reg, const KeyPlace &place, REGSAM samDesired, PHKEY out) {
  Hive &hive = reg.hive(place.from.hive);
  Hive::Txn txn(hive, false);
  requireLive(hive, place.from);
  KeyId key = walk(hive, place.from.key, place.path);
  if (key == 0) return false;
  KeyRef opened = place.made;
  opened.hive = place.from.hive;
  opened.key = key;
  opened.granted = grantAccess(samDesired, hive.writable());
  txn.commit();
  *out = newHandle(reg, opened);
  return true;
}

// Creates (or opens) the key at `place`; its missing components are created
// with `options` (volatile or not), the last one with class `lpClass`.
LONG createKeyAt(Registry &reg, const KeyPlace &place, LPWSTR lpClass, DWORD options, REGSAM samDesired,
                 PHKEY phkResult, LPDWORD lpdwDisposition, const WString &tracedPath) {
  const KeyRef &from = place.from;
  Hive &hive = reg.hive(from.hive);
  // Most creates find the key already there: look for it without taking
  // the hive's write lock.
  if (openExistingKey(reg, place, samDesired, phkResult)) {
    if (lpdwDisposition) *lpdwDisposition = REG_OPENED_EXISTING_KEY;
    traceCall("open", from.hive, from.key, tracedPath);
    return ERROR_SUCCESS;
  }
  const bool makeVolatile = (options & REG_OPTION_VOLATILE) != 0;
  Hive::Txn txn(hive, true);
  requireLive(hive, from);
  KeyId key = from.key;
  bool created = false;
  for (size_t i = 0; i < place.path.size(); ++i) {
    KeyId child = hive.findChild(key, place.path[i]);
    if (child == 0) {
      if (!txn.writing()) return ERROR_ACCESS_DENIED;
      if (!created) {
        // Windows refuses to make a tree deeper than 512 levels, with the
        // code of its kernel's failure to set up the new key's control
        // block. Keys already deeper (written some other way) stay usable.
        if (hive.depthOf(key, kMaxTreeDepth + 1) + int(place.path.size() - i) > kMaxTreeDepth) {
          return ERROR_NO_SYSTEM_RESOURCES;
        }
        // A volatile key's children vanish with it at the next boot, so
        // they must be volatile too.
        if (!makeVolatile && key != kRootKey && hive.isVolatile(key)) return ERROR_CHILD_MUST_BE_VOLATILE;
      }
      WString className = (i + 1 == place.path.size()) ? fromWide(lpClass) : WString();
      child = hive.createChild(key, place.path[i], className, makeVolatile);
      created = true;
    }
    key = child;
  }
  KeyRef opened = place.made;
  opened.hive = from.hive;
  opened.key = key;
  opened.granted = grantAccess(samDesired, hive.writable());
  txn.commit();
  *phkResult = newHandle(reg, opened);
  if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  traceCall(created ? "create" : "open", from.hive, from.key, tracedPath);
  return ERROR_SUCCESS;
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
    // HKEY_CLASSES_ROOT itself is no key to delete.
    if (ref.classes && ref.classesPath.empty() && path.empty()) return ERROR_ACCESS_DENIED;
    KeyPlace place = placeOf(reg, ref, path, false);
    Hive &hive = reg.hive(place.from.hive);
    Hive::Txn txn(hive, true);
    requireLive(hive, place.from);
    KeyId target = walk(hive, place.from.key, place.path);
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
  // Windows clears the result of every failed open, so that a caller who
  // closes it after a failure closes nothing.
  *phkResult = nullptr;
  // Opens below HKEY_CLASSES_ROOT may start with a backslash on Windows NT.
  if (HandleTable::isClassesRoot(hKey) && lpSubKey && *lpSubKey == u'\\') ++lpSubKey;
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    if (ref.predefined && (!lpSubKey || !*lpSubKey)) {
      *phkResult = hKey;
      return ERROR_SUCCESS;
    }
    std::vector<WString> path;
    if (LONG rc = splitKeyPath(lpSubKey, path)) return rc;
    KeyPlace place = placeOf(reg, ref, path, false);
    if (!openExistingKey(reg, place, samDesired, phkResult)) return ERROR_FILE_NOT_FOUND;
    traceCall("open", place.from.hive, place.from.key, tracedPath(place, lpSubKey));
    return ERROR_SUCCESS;
  });
}

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD /*Reserved*/, LPWSTR lpClass,
                               DWORD dwOptions, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                               PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr; // as for an open: cleared on every failure
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    std::vector<WString> path;
    if (LONG rc = splitKeyPath(lpSubKey, path)) return rc;
    KeyPlace place = placeOf(reg, ref, path, true);
    return createKeyAt(reg, place, lpClass, dwOptions, samDesired, phkResult, lpdwDisposition,
                       tracedPath(place, lpSubKey));
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
