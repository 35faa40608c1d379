// Value calls: RegQueryValueExW, RegSetValueExW and RegDeleteValueW.
#include "call_trace.h"
#include "registry_context.h"

#include <cstring>

using namespace zelk::registry;

namespace zelk::registry {

// Windows appends a NUL after string data that lacks one when the caller's
// buffer has room for it (the returned size does not include it).
void terminateStringData(DWORD type, LPBYTE data, size_t size, DWORD capacity) {
  if (!isStringType(type) || size < 2 || size + 2 > capacity) return;
  if (data[size - 2] == 0 && data[size - 1] == 0) return;
  data[size] = 0;
  data[size + 1] = 0;
}

} // namespace zelk::registry

extern "C" {

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
  if ((lpData && !lpcbData) || lpReserved) return ERROR_INVALID_PARAMETER;
  return onOpenKey(hKey, false, KEY_QUERY_VALUE,
                   [&](Hive &hive, const KeyRef &ref, Hive::Txn &txn) -> LONG {
    WString name = fromWide(lpValueName);
    ValueRecord value;
    if (name.size() > kMaxValueNameUnits || !hive.getValue(ref.key, name, value)) {
      // A size query (no buffer) of a missing value reports 0 bytes, as on NT.
      if (!lpData && lpcbData) *lpcbData = 0;
      return ERROR_FILE_NOT_FOUND;
    }
    txn.commit();
    const size_t size = value.data.size();
    LONG result = ERROR_SUCCESS;
    if (lpData) {
      if (size > *lpcbData) {
        result = ERROR_MORE_DATA;
      } else {
        if (size) std::memcpy(lpData, value.data.data(), size);
        terminateStringData(value.type, lpData, size, *lpcbData);
      }
    }
    if (lpType) *lpType = value.type;
    if (lpcbData) *lpcbData = DWORD(size);
    return result;
  });
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                              const BYTE *lpData, DWORD cbData) {
  // Pointers below 64 KiB are never valid on Windows.
  if ((lpData && (reinterpret_cast<uintptr_t>(lpData) >> 16) == 0) || (!lpData && cbData)) {
    return ERROR_NOACCESS;
  }
  if (cbData >= 2 && isStringType(dwType)) {
    // A count that stops just before the string's NUL is extended to
    // include it (Windows reads the unit after the count to decide).
    const auto *units = lpData;
    size_t last = (cbData / 2 - 1) * 2, next = (cbData / 2) * 2;
    // Like Windows, look past the count only when the last unit is not NUL.
    if ((units[last] || units[last + 1]) && !units[next] && !units[next + 1]) cbData += 2;
  }
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(hKey);
    WString name;
    if (LONG rc = checkValueName(lpValueName, name)) return rc;
    Hive &hive = reg.hive(ref.hive);
    // Setting a value to the type and data it already has writes nothing
    // (see Hive::setValue); when the read cache already knows the value,
    // that is settled without taking the hive's write lock.
    if (hive.writable() && (ref.granted & KEY_SET_VALUE) && hive.cachedValueIs(ref.key, name, dwType, lpData, cbData)) {
      traceCall("set", ref.hive, ref.key, name);
      return ERROR_SUCCESS;
    }
    Hive::Txn txn(hive, true);
    requireLive(hive, ref);
    requireRights(ref, KEY_SET_VALUE);
    if (!txn.writing()) return ERROR_ACCESS_DENIED;
    hive.setValue(ref.key, name, dwType, lpData, cbData);
    txn.commit();
    traceCall("set", ref.hive, ref.key, name);
    return ERROR_SUCCESS;
  });
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  return onOpenKey(hKey, true, KEY_SET_VALUE,
                   [&](Hive &hive, const KeyRef &ref, Hive::Txn &txn) -> LONG {
    WString name = fromWide(lpValueName);
    if (!txn.writing()) return ERROR_ACCESS_DENIED;
    if (name.size() > kMaxValueNameUnits || !hive.deleteValue(ref.key, name)) {
      return ERROR_FILE_NOT_FOUND;
    }
    txn.commit();
    traceCall("delete", ref.hive, ref.key, name);
    return ERROR_SUCCESS;
  });
}

} // extern "C"
