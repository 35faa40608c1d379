// Registry stand-in benchmark: open, query, set and enumerate through the
// registry API, each against the same operation on an in-memory map (the
// floor: what the work costs with no storage at all).  The same source
// cross-built with mingw-w64 measures Wine's registry:
//
//   x86_64-w64-mingw32-g++-posix -O2 -std=c++17 -static -Iplatform -Ibench/support
//       bench/registry/registry_bench.cpp -o registry_bench.exe -ladvapi32 -lshlwapi
//   WINEPREFIX=$(mktemp -d) WINEDEBUG=-all wine registry_bench.exe
//
// Natively the stand-in writes to a temporary directory (ZELK_REGISTRY_DIR).
//
// A second table lists a key of 10,000 sub-keys against a key of 10,000
// values: both enumerations continue from the entry found last, so each
// lists in time proportional to its length (counting from the first entry
// at every index would make the sub-keys' listing quadratic).
#include "win32_registry.h"

#include "Timing.h"

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <ftw.h>
#include <stdlib.h>
#endif

namespace {

using WStr = std::basic_string<WCHAR>;

WStr W(const std::string &ascii) { return WStr(ascii.begin(), ascii.end()); }

const WStr kRoot = W("Software\\ZelkRegistryBench");
constexpr int kValues = 20;
constexpr int kSubkeys = 20;

// The floor: keys and values in ordered maps, names compared as stored.
struct MapRegistry {
  struct Key {
    std::map<WStr, DWORD> values;
  };
  std::map<WStr, Key> keys;
};

// Stops the optimiser from dropping the work.
volatile const void *sink = nullptr;
template <typename T> void keep(const T &value) { sink = &value; }

#ifndef _WIN32
int removeEntry(const char *path, const struct stat *, int, struct FTW *) { return ::remove(path); }
#endif

// How many entries `enumerate(index, name, &length)` lists before the end.
template <typename Enumerate> DWORD listAll(Enumerate enumerate) {
  WCHAR name[64];
  DWORD index = 0;
  for (;; ++index) {
    DWORD length = 64;
    if (enumerate(index, name, &length) != ERROR_SUCCESS) break;
  }
  return index;
}

// A key of 10,000 sub-keys and one of 10,000 values, each listed to the end.
std::pair<zelkbench::Result, zelkbench::Result> listManyEntries(HKEY root) {
  constexpr int kMany = 10000;
  HKEY subkeys = nullptr, values = nullptr;
  RegCreateKeyExW(root, W("ManySubkeys").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &subkeys, nullptr);
  RegCreateKeyExW(root, W("ManyValues").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &values, nullptr);
#ifndef _WIN32
  ZelkRegBeginBatch(HKEY_CURRENT_USER); // one commit instead of 20,000
#endif
  for (int i = 0; i < kMany; ++i) {
    const WStr name = W("Entry" + std::to_string(i));
    HKEY sub = nullptr;
    RegCreateKeyExW(subkeys, name.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr);
    RegCloseKey(sub);
    DWORD v = DWORD(i);
    RegSetValueExW(values, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4);
  }
#ifndef _WIN32
  ZelkRegCommitBatch(HKEY_CURRENT_USER);
#endif
  DWORD listed[2] = {0, 0};
  zelkbench::Result subkeyList{"list 10,000 sub-keys (RegEnumKeyExW)", zelkbench::measure([&] {
                                 listed[0] = listAll([&](DWORD i, WCHAR *name, DWORD *length) {
                                   return RegEnumKeyExW(subkeys, i, name, length, nullptr, nullptr, nullptr, nullptr);
                                 });
                               }, 1, 3)};
  zelkbench::Result valueList{"list 10,000 values (RegEnumValueW)", zelkbench::measure([&] {
                                listed[1] = listAll([&](DWORD i, WCHAR *name, DWORD *length) {
                                  return RegEnumValueW(values, i, name, length, nullptr, nullptr, nullptr, nullptr);
                                });
                              }, 1, 3)};
  if (listed[0] != DWORD(kMany) || listed[1] != DWORD(kMany)) {
    std::fprintf(stderr, "listed %u sub-keys and %u values, not %d of each\n", listed[0], listed[1], kMany);
  }
  RegCloseKey(subkeys);
  RegCloseKey(values);
  return {subkeyList, valueList};
}

} // namespace

int main() {
#ifndef _WIN32
  std::string tempDir;
  if (!std::getenv("ZELK_REGISTRY_DIR")) {
    char pattern[] = "/tmp/zelk-registry-bench-XXXXXX";
    if (::mkdtemp(pattern)) {
      tempDir = pattern;
      ::setenv("ZELK_REGISTRY_DIR", pattern, 1);
    }
  }
#endif
  // Fixture: a key with 20 DWORD values and 20 sub-keys, in both stores.
  HKEY root = nullptr;
  SHDeleteKeyW(HKEY_CURRENT_USER, kRoot.c_str());
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRoot.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr)) {
    std::fprintf(stderr, "cannot create the benchmark key\n");
    return 1;
  }
  MapRegistry floor;
  std::vector<WStr> valueNames, subkeyNames;
  for (int i = 0; i < kValues; ++i) {
    valueNames.push_back(W("Value" + std::to_string(i)));
    DWORD v = DWORD(i);
    RegSetValueExW(root, valueNames.back().c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4);
    floor.keys[kRoot].values[valueNames.back()] = v;
  }
  for (int i = 0; i < kSubkeys; ++i) {
    subkeyNames.push_back(W("Section" + std::to_string(i)));
    HKEY sub = nullptr;
    RegCreateKeyExW(root, subkeyNames.back().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr);
    RegCloseKey(sub);
    floor.keys[kRoot + W("\\") + subkeyNames.back()];
  }
  const WStr openPath = kRoot + W("\\Section7");
  const int n = 2000;
  DWORD counter = 0;

  using zelkbench::measure;
  using zelkbench::Result;
  std::vector<std::pair<Result, Result>> pairs;

  pairs.push_back({{"open+close key (RegOpenKeyExW, 2 levels)", measure([&] {
                      HKEY k = nullptr;
                      RegOpenKeyExW(HKEY_CURRENT_USER, openPath.c_str(), 0, 0x20119, &k);
                      RegCloseKey(k);
                    }, n)},
                   {"map find", measure([&] { keep(floor.keys.find(openPath)); }, n)}});

  pairs.push_back({{"query DWORD (RegQueryValueExW)", measure([&] {
                      DWORD v = 0, size = 4, type = 0;
                      RegQueryValueExW(root, valueNames[7].c_str(), nullptr, &type, reinterpret_cast<BYTE *>(&v),
                                       &size);
                      keep(v);
                    }, n)},
                   {"map find", measure([&] { keep(floor.keys[kRoot].values.find(valueNames[7])->second); }, n)}});

  pairs.push_back({{"set DWORD (RegSetValueExW)", measure([&] {
                      DWORD v = ++counter;
                      RegSetValueExW(root, valueNames[3].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4);
                    }, n / 4)},
                   {"map assign", measure([&] { floor.keys[kRoot].values[valueNames[3]] = ++counter; }, n)}});

  pairs.push_back({{"enumerate 20 values (RegEnumValueW)", measure([&] {
                      WCHAR name[64];
                      for (DWORD i = 0;; ++i) {
                        DWORD len = 64;
                        if (RegEnumValueW(root, i, name, &len, nullptr, nullptr, nullptr, nullptr)) break;
                      }
                      keep(name[0]);
                    }, n / 20)},
                   {"map iterate", measure([&] {
                      size_t total = 0;
                      for (const auto &entry : floor.keys[kRoot].values) total += entry.first.size();
                      keep(total);
                    }, n)}});

  pairs.push_back({{"enumerate 20 sub-keys (RegEnumKeyExW)", measure([&] {
                      WCHAR name[64];
                      for (DWORD i = 0;; ++i) {
                        DWORD len = 64;
                        if (RegEnumKeyExW(root, i, name, &len, nullptr, nullptr, nullptr, nullptr)) break;
                      }
                      keep(name[0]);
                    }, n / 20)},
                   {"map range", measure([&] {
                      size_t total = 0;
                      const WStr prefix = kRoot + W("\\");
                      for (auto it = floor.keys.lower_bound(prefix);
                           it != floor.keys.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
                        total += it->first.size();
                      }
                      keep(total);
                    }, n)}});

#ifdef _WIN32
  const char *title = "Registry (Windows API) against an in-memory map";
#else
  const char *title = "Registry stand-in (SQLite) against an in-memory map";
#endif
  zelkbench::report(title, pairs);
  std::printf("\n");
  zelkbench::report("Listing 10,000 sub-keys against listing 10,000 values", {listManyEntries(root)});

  RegCloseKey(root);
  SHDeleteKeyW(HKEY_CURRENT_USER, kRoot.c_str());
#ifndef _WIN32
  if (!tempDir.empty()) ::nftw(tempDir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
#endif
  return 0;
}
