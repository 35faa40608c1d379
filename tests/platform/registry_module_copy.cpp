// A loadable module with a copy of the registry stand-in of its own (linked
// in statically and kept to itself), as a plug-in built outside the project
// could carry one: a process that loads it has two connections to the same
// hive file. The project's own modules use the shared library instead.
#include "win32_registry.h"

extern "C" __attribute__((visibility("default"))) LONG zelkModuleCopyReadDword(const WCHAR *subKey,
                                                                                const WCHAR *name, DWORD *value) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key);
  if (rc != ERROR_SUCCESS) return rc;
  DWORD size = sizeof *value;
  rc = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(value), &size);
  RegCloseKey(key);
  return rc;
}
