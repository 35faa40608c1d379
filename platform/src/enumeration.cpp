// Enumeration calls: RegQueryInfoKeyW, RegEnumKeyExW and RegEnumValueW.
#include "classes_view.h"
#include "registry_context.h"

#include <cstring>

using namespace zelk::registry;

namespace zelk::registry {
void terminateStringData(DWORD type, LPBYTE data, size_t size, DWORD capacity);
}

namespace {

void toFiletime(int64_t value, PFILETIME out) {
  if (!out) return;
  out->dwLowDateTime = DWORD(uint64_t(value) & 0xffffffffu);
  out->dwHighDateTime = DWORD(uint64_t(value) >> 32);
}

void copyName(const WString &name, LPWSTR out) {
  if (!name.empty()) std::memcpy(out, name.data(), name.size() * sizeof(WCHAR));
  out[name.size()] = 0;
}

} // namespace

extern "C" {

LSTATUS WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen,
                                LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                                LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    if (lpReserved || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
    KeyStats st;
    if (ref.key != 0) { // (0: a view of HKEY_CLASSES_ROOT whose root neither hive has)
      Hive &hive = reg.hive(ref.hive);
      Hive::Txn txn(hive, false);
      requireLive(hive, ref);
      requireRights(ref, KEY_QUERY_VALUE);
      st = hive.stats(ref.key);
      txn.commit();
    }
    if (ref.classes) mergeClassesSubkeyStats(reg, ref, st);
    LONG result = ERROR_SUCCESS;
    // A class buffer of no length is a buffer all the same: Windows then
    // leaves both it and the length alone. Without a buffer the length is
    // the class's.
    if (lpcchClass && !(lpClass && *lpcchClass == 0)) {
      DWORD len = DWORD(st.className.size());
      if (lpClass) {
        if (len >= *lpcchClass) {
          result = ERROR_INSUFFICIENT_BUFFER;
        } else {
          copyName(st.className, lpClass);
        }
      }
      *lpcchClass = len;
    }
    if (lpcSubKeys) *lpcSubKeys = st.subkeys;
    if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = st.maxSubkeyNameUnits;
    if (lpcbMaxClassLen) *lpcbMaxClassLen = st.maxClassUnits;
    if (lpcValues) *lpcValues = st.values;
    if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = st.maxValueNameUnits;
    if (lpcbMaxValueLen) *lpcbMaxValueLen = st.maxValueBytes;
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 20; // an empty self-relative SD
    toFiletime(st.mtime, lpftLastWriteTime);
    return result;
  });
}

LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName,
                             LPDWORD lpReserved, LPWSTR lpClass, LPDWORD lpcchClass,
                             PFILETIME lpftLastWriteTime) {
  if (lpReserved || !lpName || !lpcchName || (lpClass && !lpcchClass)) {
    return ERROR_INVALID_PARAMETER;
  }
  // Too small: nothing is written, the counts keep the caller's values.
  auto report = [&](const SubkeyRecord &sub) -> LONG {
    if (sub.name.size() >= *lpcchName) return ERROR_MORE_DATA;
    if (lpClass && sub.className.size() >= *lpcchClass) return ERROR_MORE_DATA;
    copyName(sub.name, lpName);
    *lpcchName = DWORD(sub.name.size());
    if (lpClass) copyName(sub.className, lpClass);
    if (lpcchClass) *lpcchClass = DWORD(sub.className.size());
    toFiletime(sub.mtime, lpftLastWriteTime);
    return ERROR_SUCCESS;
  };
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    SubkeyRecord sub;
    if (ref.classes) {
      requireRights(ref, KEY_ENUMERATE_SUB_KEYS);
      if (ref.key != 0) {
        Hive &hive = reg.hive(ref.hive);
        Hive::Txn txn(hive, false);
        requireLive(hive, ref);
        txn.commit();
      }
      if (!classesSubkeyAt(reg, hKey, ref, dwIndex, sub)) return ERROR_NO_MORE_ITEMS;
      return report(sub);
    }
    Hive &hive = reg.hive(ref.hive);
    Hive::Txn txn(hive, false);
    requireLive(hive, ref);
    requireRights(ref, KEY_ENUMERATE_SUB_KEYS);
    if (!hive.subkeyAt(ref.key, dwIndex, sub)) return ERROR_NO_MORE_ITEMS;
    txn.commit();
    return report(sub);
  });
}

LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || !lpValueName || !lpcchValueName || (lpData && !lpcbData)) {
    return ERROR_INVALID_PARAMETER;
  }
  return onOpenKey(hKey, false, KEY_QUERY_VALUE,
                   [&](Hive &hive, const KeyRef &ref, Hive::Txn &txn) -> LONG {
    ValueRecord value;
    if (!hive.valueAt(ref.key, dwIndex, value)) return ERROR_NO_MORE_ITEMS;
    txn.commit();
    // Windows' rules: the name is copied whenever it fits; the data only
    // when both fit; type and data size are always reported.
    const size_t size = value.data.size();
    bool nameFits = value.name.size() < *lpcchValueName;
    bool dataFits = !lpData || size <= *lpcbData;
    if (nameFits) {
      copyName(value.name, lpValueName);
      *lpcchValueName = DWORD(value.name.size());
    }
    if (nameFits && dataFits && lpData) {
      if (size) std::memcpy(lpData, value.data.data(), size);
      terminateStringData(value.type, lpData, size, *lpcbData);
    }
    if (lpType) *lpType = value.type;
    if (lpcbData) *lpcbData = DWORD(size);
    return nameFits && dataFits ? ERROR_SUCCESS : ERROR_MORE_DATA;
  });
}

} // extern "C"
