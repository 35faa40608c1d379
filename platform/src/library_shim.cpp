// LoadLibraryW / GetProcAddress / FreeLibrary: just enough of kernel32 for
// code that looks up registry functions at run time.  "Advapi32.dll" (any
// case, with or without a path or the .dll suffix) loads; its registry
// functions resolve by name; nothing else loads.
#include "names.h"

#include <cstring>

using namespace zelk::registry;

namespace {

struct FakeModule {
  int unused;
} advapi32Module;

HMODULE advapi32Handle() { return reinterpret_cast<HMODULE>(&advapi32Module); }

bool isAdvapi32(LPCWSTR path) {
  WString name = fromWide(path);
  size_t slash = name.find_last_of(u"\\/");
  if (slash != WString::npos) name.erase(0, slash + 1);
  std::string folded = foldName(name);
  std::string dll = foldName(u"ADVAPI32.DLL"), bare = foldName(u"ADVAPI32");
  return folded == dll || folded == bare;
}

struct Export {
  const char *name;
  FARPROC address;
};

template <typename F> FARPROC asProc(F *f) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)(void)>(f));
}

} // namespace

extern "C" {

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
  return lpLibFileName && isAdvapi32(lpLibFileName) ? advapi32Handle() : nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (hModule != advapi32Handle() || !lpProcName) return nullptr;
  // Ordinals (values below 64 Ki) are not supported.
  if ((reinterpret_cast<uintptr_t>(lpProcName) >> 16) == 0) return nullptr;
  static const Export exports[] = {
      {"RegCloseKey", asProc(&RegCloseKey)},
      {"RegCreateKeyExW", asProc(&RegCreateKeyExW)},
      {"RegDeleteKeyExW", asProc(&RegDeleteKeyExW)},
      {"RegDeleteKeyW", asProc(&RegDeleteKeyW)},
      {"RegDeleteValueW", asProc(&RegDeleteValueW)},
      {"RegEnumKeyExW", asProc(&RegEnumKeyExW)},
      {"RegEnumValueW", asProc(&RegEnumValueW)},
      {"RegFlushKey", asProc(&RegFlushKey)},
      {"RegOpenKeyExW", asProc(&RegOpenKeyExW)},
      {"RegQueryInfoKeyW", asProc(&RegQueryInfoKeyW)},
      {"RegQueryValueExW", asProc(&RegQueryValueExW)},
      {"RegSetValueExW", asProc(&RegSetValueExW)},
  };
  for (const Export &e : exports) {
    if (std::strcmp(e.name, lpProcName) == 0) return e.address;
  }
  return nullptr;
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) { return hLibModule == advapi32Handle() ? TRUE : FALSE; }

} // extern "C"
