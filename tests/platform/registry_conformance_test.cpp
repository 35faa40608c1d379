// Conformance test of the registry calls the settings store makes.  Runs
// natively against the stand-in and, cross-built with mingw-w64, under Wine
// against Wine's advapi32.  Where Wine differs from Windows the assertion is
// skipped under Wine only, and the difference is named:
//   WINE_DIFF(values sorted)      Wine enumerates values sorted by name;
//                                 Windows (and the stand-in) in insertion order.
//   WINE_DIFF(subkeys sorted lower-cased)  Wine orders sub-keys by their
//                                 lower-cased names ("_x" before "A"); Windows
//                                 by upper-cased names ("A" before "_x").
//   WINE_DIFF(flush is a no-op)   Wine's RegFlushKey succeeds on a deleted key.
//   WINE_DIFF(long names)         Wine accepts a 256-unit key name component
//                                 (Windows: at most 255); both give
//                                 ERROR_INVALID_PARAMETER beyond their limit.
//   WINE_DIFF(null result crashes) Wine's RegCreateKeyExW writes through a NULL
//                                 phkResult; Windows returns 87.
#include "registry_test_support.h"

#include <vector>

using namespace zelk_test;

namespace {

// WINE_DIFF(what) statement: the statement runs except under Wine.
#define WINE_DIFF(what) if (runningUnderWine()) {} else

using ConformanceTest = RegistryKeyTest;

// Every name `enumerate(key, index, buffer, &length)` lists, in index order.
template <typename Enumerate>
std::vector<WStr> enumeratedNames(HKEY key, Enumerate enumerate) {
  std::vector<WStr> names;
  for (DWORD i = 0;; ++i) {
    WCHAR buf[300];
    DWORD len = 300;
    LONG rc = enumerate(key, i, buf, &len);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(rc, ERROR_SUCCESS);
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buf, len);
  }
  return names;
}

std::vector<WStr> subkeyNames(HKEY key) {
  return enumeratedNames(key, [](HKEY k, DWORD i, WCHAR *buf, DWORD *len) {
    return RegEnumKeyExW(k, i, buf, len, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<WStr> valueNames(HKEY key) {
  return enumeratedNames(key, [](HKEY k, DWORD i, WCHAR *buf, DWORD *len) {
    return RegEnumValueW(k, i, buf, len, nullptr, nullptr, nullptr, nullptr);
  });
}

TEST_F(ConformanceTest, NullOrEmptySubkeyOnPredefinedRootReturnsTheRoot) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, W("").c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(ConformanceTest, NullOrEmptySubkeyOnOrdinaryHandleGivesNewHandle) {
  ASSERT_EQ(setDword(root_, W("v"), 7), ERROR_SUCCESS);
  HKEY a = nullptr, b = nullptr;
  ASSERT_EQ(RegOpenKeyExW(root_, nullptr, 0, KEY_READ, &a), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(root_, W("").c_str(), 0, KEY_READ, &b), ERROR_SUCCESS);
  EXPECT_NE(a, root_);
  EXPECT_NE(b, root_);
  EXPECT_NE(a, b);
  DWORD value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(a, W("v").c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 7u);
  EXPECT_EQ(RegCloseKey(a), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(b), ERROR_SUCCESS);
}

TEST_F(ConformanceTest, MissingKeyIsNotFoundAndNotCreated) {
  HKEY key = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
  EXPECT_EQ(RegOpenKeyExW(root_, W("Missing").c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExW(root_, W("Missing\\Deeper").c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExW(root_, W("Missing").c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  DWORD subkeys = 99;
  EXPECT_EQ(RegQueryInfoKeyW(root_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 0u);
}

TEST_F(ConformanceTest, LeadingBackslashIsBadPathTrailingBackslashesIgnored) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(root_, W("\\Lead").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegOpenKeyExW(root_, W("\\Lead").c_str(), 0, KEY_READ, &key), ERROR_BAD_PATHNAME);
  HKEY trail = create(root_, W("Trail\\\\"));
  ASSERT_NE(trail, nullptr);
  RegCloseKey(trail);
  EXPECT_EQ(RegOpenKeyExW(root_, W("Trail\\").c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(subkeyNames(root_), std::vector<WStr>{W("Trail")});
}

TEST_F(ConformanceTest, CreateMakesIntermediateKeysAndReportsDisposition) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(root_, W("a\\b\\c").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExW(root_, W("a\\b\\c").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExW(root_, W("a\\b\\d").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExW(root_, W("a\\b").c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(ConformanceTest, NamesAreCaseInsensitiveAndCasePreserving) {
  HKEY key = create(root_, W("MixedCase"));
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(setDword(key, W("ValueName"), 1), ERROR_SUCCESS);
  ASSERT_EQ(setDword(key, W("VALUENAME"), 2), ERROR_SUCCESS);
  RegCloseKey(key);
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(root_, W("MIXEDCASE").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
  EXPECT_EQ(subkeyNames(root_), std::vector<WStr>{W("MixedCase")});
  EXPECT_EQ(valueNames(key), std::vector<WStr>{W("ValueName")});
  DWORD value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, W("valuename").c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE *>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 2u);
  RegCloseKey(key);

  // Non-ASCII letters fold too: o-umlaut and O-umlaut, e-acute and E-acute.
  const WCHAR lower[] = {0x00F6, 'l', 0x00E9, 0};
  const WCHAR upper[] = {0x00D6, 'L', 0x00C9, 0};
  HKEY umlaut = create(root_, lower);
  ASSERT_NE(umlaut, nullptr);
  ASSERT_EQ(setDword(umlaut, lower, 3), ERROR_SUCCESS);
  HKEY again = nullptr;
  ASSERT_EQ(RegOpenKeyExW(root_, upper, 0, KEY_READ, &again), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(again, upper, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(again);
  RegCloseKey(umlaut);
}

TEST_F(ConformanceTest, NameLengthLimits) {
  HKEY key = nullptr;
  WStr name255(255, WCHAR('k'));
  ASSERT_EQ(RegCreateKeyExW(root_, name255.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  WStr name256(256, WCHAR('l'));
  LONG rc = RegCreateKeyExW(root_, name256.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  WINE_DIFF(long names) EXPECT_EQ(rc, ERROR_INVALID_PARAMETER);
  if (rc == ERROR_SUCCESS) RegCloseKey(key);

  WStr value16383(16383, WCHAR('v'));
  EXPECT_EQ(setDword(root_, value16383, 1), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(root_, value16383.c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  WStr value16384(16384, WCHAR('w'));
  rc = setDword(root_, value16384, 1);
  WINE_DIFF(long names) EXPECT_EQ(rc, ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExW(root_, value16384.c_str(), nullptr, nullptr, nullptr, nullptr),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(ConformanceTest, NullOutputPointersAreInvalidParameter) {
  EXPECT_EQ(RegOpenKeyExW(root_, W("x").c_str(), 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  WINE_DIFF(null result crashes) EXPECT_EQ(
      RegCreateKeyExW(root_, W("x").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr),
      ERROR_INVALID_PARAMETER);
  ASSERT_EQ(setDword(root_, W("v"), 1), ERROR_SUCCESS);
  BYTE data[4];
  EXPECT_EQ(RegQueryValueExW(root_, W("v").c_str(), nullptr, nullptr, data, nullptr),
            ERROR_INVALID_PARAMETER);
  DWORD len = 10;
  EXPECT_EQ(RegEnumValueW(root_, 0, nullptr, &len, nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  WCHAR name[10];
  EXPECT_EQ(RegEnumValueW(root_, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  // Data and size both NULL: an existence test.
  EXPECT_EQ(RegQueryValueExW(root_, W("v").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
}

TEST_F(ConformanceTest, BadOrClosedHandlesAreInvalidHandle) {
  HKEY key = create(root_, W("Closed"));
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(setDword(key, W("v"), 1), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExW(key, W("v").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  HKEY out = nullptr;
  EXPECT_EQ(RegOpenKeyExW(nullptr, W("x").c_str(), 0, KEY_READ, &out), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExW(nullptr, W("").c_str(), 0, KEY_READ, &out), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryInfoKeyW(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegFlushKey(nullptr), ERROR_INVALID_HANDLE);
}

TEST_F(ConformanceTest, MissingValueIsNotFound) {
  DWORD type = 0xdead, size = 0xbeef;
  EXPECT_EQ(RegQueryValueExW(root_, W("nope").c_str(), nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  // A size query without a buffer reports 0 bytes for a missing value (NT).
  EXPECT_EQ(size, 0u);
  // Also for a value that existed and was deleted since.
  ASSERT_EQ(setDword(root_, W("gone"), 7), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueW(root_, W("gone").c_str()), ERROR_SUCCESS);
  size = 0xbeef;
  EXPECT_EQ(RegQueryValueExW(root_, W("gone").c_str(), nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(RegDeleteValueW(root_, W("nope").c_str()), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExW(root_, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(ConformanceTest, QueryValueSizesAndBufferRules) {
  const WStr text = W("hello");
  ASSERT_EQ(setString(root_, W("s"), text), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(root_, W("s").c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 12u);

  BYTE small[8];
  std::memset(small, 0xbd, sizeof small);
  type = 0;
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExW(root_, W("s").c_str(), nullptr, &type, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 12u);
  EXPECT_EQ(type, DWORD(REG_SZ));
  for (BYTE b : small) EXPECT_EQ(b, 0xbd);

  WCHAR buf[16];
  std::memset(buf, 0xbd, sizeof buf);
  size = sizeof buf;
  ASSERT_EQ(RegQueryValueExW(root_, W("s").c_str(), nullptr, &type, reinterpret_cast<BYTE *>(buf), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 12u);
  EXPECT_EQ(WStr(buf), text);
  EXPECT_EQ(reinterpret_cast<BYTE *>(buf)[12], 0xbd);

  // Exactly the bytes given: an unterminated string keeps its size.
  const WCHAR raw[] = {'a', 'b', 'c', 'x', 'y'};
  ASSERT_EQ(RegSetValueExW(root_, W("unterminated").c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(raw), 6),
            ERROR_SUCCESS);
  size = 0;
  ASSERT_EQ(RegQueryValueExW(root_, W("unterminated").c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  std::memset(buf, 0xbd, sizeof buf);
  size = 6;
  ASSERT_EQ(RegQueryValueExW(root_, W("unterminated").c_str(), nullptr, &type, reinterpret_cast<BYTE *>(buf),
                             &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(WStr(buf, 3), W("abc"));
  EXPECT_EQ(reinterpret_cast<BYTE *>(buf)[6], 0xbd);

  // Windows' exception: a count stopping just before a NUL is extended.
  const WStr full = W("abcdef");
  ASSERT_EQ(RegSetValueExW(root_, W("offbyone").c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE *>(full.c_str()), DWORD(full.size() * sizeof(WCHAR))),
            ERROR_SUCCESS);
  size = 0;
  ASSERT_EQ(RegQueryValueExW(root_, W("offbyone").c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, DWORD((full.size() + 1) * sizeof(WCHAR)));

  // Binary data is stored exactly.
  const BYTE bin[] = {0, 1, 2, 0xff, 0};
  ASSERT_EQ(RegSetValueExW(root_, W("bin").c_str(), 0, REG_BINARY, bin, sizeof bin), ERROR_SUCCESS);
  BYTE back[8] = {};
  size = sizeof back;
  ASSERT_EQ(RegQueryValueExW(root_, W("bin").c_str(), nullptr, &type, back, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(size, sizeof bin);
  EXPECT_EQ(std::memcmp(back, bin, sizeof bin), 0);

  // A QWORD with a DWORD-sized buffer.
  const unsigned long long q = 0x1122334455667788ull;
  ASSERT_EQ(RegSetValueExW(root_, W("q").c_str(), 0, REG_QWORD, reinterpret_cast<const BYTE *>(&q), 8),
            ERROR_SUCCESS);
  DWORD d = 0;
  size = sizeof d;
  EXPECT_EQ(RegQueryValueExW(root_, W("q").c_str(), nullptr, &type, reinterpret_cast<BYTE *>(&d), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(type, DWORD(REG_QWORD));
  EXPECT_EQ(d, 0u);
}

TEST_F(ConformanceTest, SetValueDataRules) {
  EXPECT_EQ(RegSetValueExW(root_, W("n").c_str(), 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
  EXPECT_EQ(RegQueryValueExW(root_, W("n").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExW(root_, W("n").c_str(), 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  DWORD type = 0, size = 99;
  EXPECT_EQ(RegQueryValueExW(root_, W("n").c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(RegSetValueExW(root_, W("z").c_str(), 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);
  size = 99;
  EXPECT_EQ(RegQueryValueExW(root_, W("z").c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 0u);
  // The default value has an empty name; NULL and "" both address it.
  ASSERT_EQ(setDword(root_, W(""), 5), ERROR_SUCCESS);
  DWORD value = 0;
  size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(root_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 5u);
  EXPECT_EQ(RegDeleteValueW(root_, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(root_, W("").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(ConformanceTest, SetValueNeedsSetValueRight) {
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(setDword(readOnly, W("v"), 1), ERROR_ACCESS_DENIED);
  ASSERT_EQ(setDword(root_, W("v"), 1), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(readOnly, W("v").c_str()), ERROR_ACCESS_DENIED);
  HKEY writeOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_SET_VALUE, &writeOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(writeOnly, W("v").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
  RegCloseKey(writeOnly);
  RegCloseKey(readOnly);
}

TEST_F(ConformanceTest, SubkeysEnumerateSortedCaseInsensitively) {
  for (const char *name : {"gamma", "Alpha", "DELTA", "beta"}) {
    HKEY k = create(root_, W(name));
    RegCloseKey(k);
  }
  EXPECT_EQ(subkeyNames(root_), (std::vector<WStr>{W("Alpha"), W("beta"), W("DELTA"), W("gamma")}));
  WCHAR name[16];
  DWORD len = 16;
  EXPECT_EQ(RegEnumKeyExW(root_, 4, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  // Windows compares upper-cased names: '_' (0x5F) sorts after 'A'..'Z'.
  RegCloseKey(create(root_, W("_under")));
  WINE_DIFF(subkeys sorted lower-cased) EXPECT_EQ(
      subkeyNames(root_), (std::vector<WStr>{W("Alpha"), W("beta"), W("DELTA"), W("gamma"), W("_under")}));
  RegDeleteKeyW(root_, W("_under").c_str());

  // A name that does not fit: ERROR_MORE_DATA.
  std::memset(name, 0xbd, sizeof name);
  len = 5;
  EXPECT_EQ(RegEnumKeyExW(root_, 0, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  len = 6;
  FILETIME ft = {0, 0};
  EXPECT_EQ(RegEnumKeyExW(root_, 0, name, &len, nullptr, nullptr, nullptr, &ft), ERROR_SUCCESS);
  EXPECT_EQ(len, 5u);
  EXPECT_EQ(WStr(name), W("Alpha"));
  EXPECT_NE(ft.dwHighDateTime, 0u);
}

TEST_F(ConformanceTest, ValuesEnumerateInInsertionOrder) {
  ASSERT_EQ(setDword(root_, W("zeta"), 1), ERROR_SUCCESS);
  ASSERT_EQ(setDword(root_, W("alpha"), 2), ERROR_SUCCESS);
  ASSERT_EQ(setDword(root_, W("Mid"), 3), ERROR_SUCCESS);
  ASSERT_EQ(setDword(root_, W("zeta"), 4), ERROR_SUCCESS); // keeps its place
  std::vector<WStr> names = valueNames(root_);
  ASSERT_EQ(names.size(), 3u);
  WINE_DIFF(values sorted) EXPECT_EQ(names, (std::vector<WStr>{W("zeta"), W("alpha"), W("Mid")}));
  ASSERT_EQ(RegDeleteValueW(root_, W("ZETA").c_str()), ERROR_SUCCESS);
  ASSERT_EQ(setDword(root_, W("zeta"), 5), ERROR_SUCCESS);
  names = valueNames(root_);
  WINE_DIFF(values sorted) EXPECT_EQ(names, (std::vector<WStr>{W("alpha"), W("Mid"), W("zeta")}));
  WCHAR name[8];
  DWORD len = 8;
  EXPECT_EQ(RegEnumValueW(root_, 3, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_F(ConformanceTest, EnumValueOverflowRules) {
  const WStr data = W("foobar");
  ASSERT_EQ(setString(root_, W("Test"), data), ERROR_SUCCESS); // 14 bytes
  const WCHAR xxx[] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 0};
  WCHAR name[20], buf[20];
  DWORD nameLen, dataLen, type;

  // Both too small: nothing written, name count kept, data size reported.
  std::memcpy(name, xxx, sizeof xxx);
  std::memcpy(buf, xxx, sizeof xxx);
  nameLen = 2, dataLen = 2, type = 1234;
  EXPECT_EQ(RegEnumValueW(root_, 0, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE *>(buf), &dataLen),
            ERROR_MORE_DATA);
  EXPECT_EQ(nameLen, 2u);
  EXPECT_EQ(dataLen, 14u);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(std::memcmp(name, xxx, sizeof xxx), 0);
  EXPECT_EQ(std::memcmp(buf, xxx, sizeof xxx), 0);

  // Name too small: name and data untouched.
  nameLen = 3, dataLen = 20 * sizeof(WCHAR);
  EXPECT_EQ(RegEnumValueW(root_, 0, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE *>(buf), &dataLen),
            ERROR_MORE_DATA);
  EXPECT_EQ(nameLen, 3u);
  EXPECT_EQ(dataLen, 14u);
  EXPECT_EQ(std::memcmp(name, xxx, sizeof xxx), 0);
  EXPECT_EQ(std::memcmp(buf, xxx, sizeof xxx), 0);

  // Data too small: the name is returned, the data untouched.
  nameLen = 20, dataLen = 2;
  EXPECT_EQ(RegEnumValueW(root_, 0, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE *>(buf), &dataLen),
            ERROR_MORE_DATA);
  EXPECT_EQ(nameLen, 4u);
  EXPECT_EQ(dataLen, 14u);
  EXPECT_EQ(WStr(name), W("Test"));
  EXPECT_EQ(std::memcmp(buf, xxx, sizeof xxx), 0);

  // Everything fits.
  nameLen = 20, dataLen = 20 * sizeof(WCHAR);
  EXPECT_EQ(RegEnumValueW(root_, 0, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE *>(buf), &dataLen),
            ERROR_SUCCESS);
  EXPECT_EQ(nameLen, 4u);
  EXPECT_EQ(dataLen, 14u);
  EXPECT_EQ(WStr(buf), data);
}

TEST_F(ConformanceTest, QueryInfoKeyCountsAndLongestLengths) {
  DWORD subkeys = 9, maxSub = 9, maxClass = 9, values = 9, maxValueName = 9, maxValue = 9;
  FILETIME ft = {0, 0};
  ASSERT_EQ(RegQueryInfoKeyW(root_, nullptr, nullptr, nullptr, &subkeys, &maxSub, &maxClass, &values,
                             &maxValueName, &maxValue, nullptr, &ft),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 0u);
  EXPECT_EQ(maxSub, 0u);
  EXPECT_EQ(values, 0u);
  EXPECT_EQ(maxValueName, 0u);
  EXPECT_EQ(maxValue, 0u);
  EXPECT_NE(ft.dwHighDateTime, 0u);

  RegCloseKey(create(root_, W("short")));
  RegCloseKey(create(root_, W("muchlongername")));
  ASSERT_EQ(setString(root_, W("v"), W("0123456789")), ERROR_SUCCESS);
  ASSERT_EQ(setDword(root_, W("longest value name"), 1), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryInfoKeyW(root_, nullptr, nullptr, nullptr, &subkeys, &maxSub, &maxClass, &values,
                             &maxValueName, &maxValue, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(maxSub, 14u);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(maxValueName, 18u);
  EXPECT_EQ(maxValue, 22u);
}

TEST_F(ConformanceTest, DeleteKeyWithSubkeysIsDeniedShDeleteKeyRemovesTree) {
  HKEY k = create(root_, W("tree\\branch\\leaf"));
  ASSERT_EQ(setDword(k, W("v"), 1), ERROR_SUCCESS);
  RegCloseKey(k);
  EXPECT_EQ(RegDeleteKeyW(root_, W("tree").c_str()), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyExW(root_, W("tree").c_str(), KEY_WOW64_64KEY, 0), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(root_, W("missing").c_str()), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyExW(root_, W("tree\\branch\\leaf").c_str(), KEY_WOW64_64KEY, 0), ERROR_SUCCESS);
  RegCloseKey(create(root_, W("tree\\branch\\leaf2")));
  EXPECT_EQ(SHDeleteKeyW(root_, W("tree").c_str()), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(subkeyNames(root_).size(), 0u);
  EXPECT_EQ(SHDeleteKeyW(root_, W("tree").c_str()), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(ConformanceTest, HandleToDeletedKeyGetsKeyDeleted) {
  HKEY doomed = create(root_, W("doomed"));
  ASSERT_NE(doomed, nullptr);
  ASSERT_EQ(setDword(doomed, W("v"), 1), ERROR_SUCCESS);
  ASSERT_EQ(SHDeleteKeyW(root_, W("doomed").c_str()), DWORD(ERROR_SUCCESS));

  EXPECT_EQ(setDword(doomed, W("v"), 2), ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryValueExW(doomed, W("v").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteValueW(doomed, W("v").c_str()), ERROR_KEY_DELETED);
  WCHAR name[16];
  DWORD len = 16;
  EXPECT_EQ(RegEnumKeyExW(doomed, 0, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  len = 16;
  EXPECT_EQ(RegEnumValueW(doomed, 0, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryInfoKeyW(doomed, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_KEY_DELETED);
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyExW(doomed, W("child").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyExW(doomed, nullptr, 0, KEY_READ, &child), ERROR_KEY_DELETED);
  WINE_DIFF(flush is a no-op) EXPECT_EQ(RegFlushKey(doomed), ERROR_KEY_DELETED);

  // The same name created again is a different key.
  HKEY reborn = create(root_, W("doomed"));
  EXPECT_EQ(setDword(doomed, W("v"), 3), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(reborn), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(doomed), ERROR_SUCCESS);
}

TEST_F(ConformanceTest, FlushSucceeds) {
  ASSERT_EQ(setDword(root_, W("v"), 1), ERROR_SUCCESS);
  EXPECT_EQ(RegFlushKey(root_), ERROR_SUCCESS);
  EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(ConformanceTest, RegDeleteKeyExWFoundThroughGetProcAddress) {
  typedef LONG(WINAPI * DeleteKeyEx)(HKEY, LPCWSTR, REGSAM, DWORD);
  HMODULE advapi = LoadLibraryW(ZELK_WSTR("Advapi32.dll"));
  ASSERT_NE(advapi, nullptr);
  FARPROC proc = GetProcAddress(advapi, "RegDeleteKeyExW");
  ASSERT_NE(proc, nullptr);
  DeleteKeyEx deleteKeyEx = reinterpret_cast<DeleteKeyEx>(reinterpret_cast<void (*)(void)>(proc));
  RegCloseKey(create(root_, W("viaproc")));
  EXPECT_EQ(deleteKeyEx(root_, W("viaproc").c_str(), KEY_WOW64_64KEY, 0), ERROR_SUCCESS);
  EXPECT_EQ(deleteKeyEx(root_, W("viaproc").c_str(), KEY_WOW64_64KEY, 0), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(advapi, "NoSuchFunctionZelk"), nullptr);
  EXPECT_NE(FreeLibrary(advapi), FALSE);
}

TEST_F(ConformanceTest, SettingsStoreAccessModesOnUserHive) {
  // The rights the settings store asks for: KEY_ALL_ACCESS and KEY_READ,
  // each with KEY_WOW64_64KEY.
  HKEY rw = nullptr, ro = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root_, W("Settings\\abc").c_str(), 0, nullptr, 0, 0xF013F, nullptr, &rw, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(setDword(rw, W("AlwaysOnTop"), 1), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(root_, W("Settings\\abc").c_str(), 0, 0x20119, &ro), ERROR_SUCCESS);
  DWORD value = 0, size = sizeof value, type = 0;
  EXPECT_EQ(RegQueryValueExW(ro, W("AlwaysOnTop").c_str(), nullptr, &type, reinterpret_cast<BYTE *>(&value),
                             &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(setDword(ro, W("x"), 1), ERROR_ACCESS_DENIED);
  RegCloseKey(ro);
  RegCloseKey(rw);
}

// The settings store's machine-tree deletion: open with full
// access, count the sub-keys, recurse from the last index down to 0, then
// RegDeleteKeyExW with KEY_WOW64_64KEY.
LONG deleteTreeLikeTheStore(HKEY root, const WStr &path) {
  HKEY key = nullptr;
  if (LONG rc = RegOpenKeyExW(root, path.c_str(), 0, 0xF013F, &key)) return rc;
  DWORD count = 0, longest = 0;
  LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr);
  for (DWORD i = count; rc == ERROR_SUCCESS && i-- > 0;) {
    std::vector<WCHAR> name(longest + 1, 0);
    DWORD len = longest + 1;
    if (RegEnumKeyExW(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      rc = deleteTreeLikeTheStore(root, path + W("\\") + WStr(name.data(), len));
    }
  }
  if (rc == ERROR_SUCCESS) rc = RegDeleteKeyExW(root, path.c_str(), KEY_WOW64_64KEY, 0);
  RegCloseKey(key);
  return rc;
}

TEST_F(ConformanceTest, SettingsStoreTreeDeletionPattern) {
  for (const char *p : {"t\\a\\x", "t\\a\\y", "t\\b", "t\\c\\z\\deep"}) RegCloseKey(create(root_, W(p)));
  EXPECT_EQ(deleteTreeLikeTheStore(HKEY_CURRENT_USER, path_ + W("\\t")), ERROR_SUCCESS);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(root_, W("t").c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(ConformanceTest, MachineHiveWorksWhenWritable) {
  // Natively the machine hive is in the test's temporary directory; under
  // Wine the prefix's user may write HKEY_LOCAL_MACHINE.
  const WStr path = W("Software\\ZelkRegistryTest\\Machine");
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0xF013F, nullptr, &key, nullptr);
  if (rc == ERROR_ACCESS_DENIED) GTEST_SKIP() << "HKEY_LOCAL_MACHINE is read-only here (not an administrator)";
  ASSERT_EQ(rc, ERROR_SUCCESS);
  ASSERT_EQ(setDword(key, W("m"), 8), ERROR_SUCCESS);
  RegCloseKey(key);
  // The user hive does not see it: the hives are separate.
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0x20119, &key), ERROR_SUCCESS);
  DWORD v = 0, size = 4;
  EXPECT_EQ(RegQueryValueExW(key, W("m").c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&v), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(v, 8u);
  RegCloseKey(key);
  EXPECT_EQ(deleteTreeLikeTheStore(HKEY_LOCAL_MACHINE, W("Software\\ZelkRegistryTest")), ERROR_SUCCESS);
}

TEST_F(ConformanceTest, ClassNamesAndLastWriteTimes) {
  WCHAR cls[] = {'m', 'y', ' ', 'c', 'l', 'a', 's', 's', 0};
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root_, W("classy").c_str(), 0, cls, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  WCHAR buf[32];
  DWORD len = 32, maxClass = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key, buf, &len, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(len, 8u);
  EXPECT_EQ(WStr(buf), WStr(cls));
  ASSERT_EQ(RegQueryInfoKeyW(root_, nullptr, nullptr, nullptr, nullptr, nullptr, &maxClass, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(maxClass, 8u);
  WCHAR name[32], clsOut[32];
  DWORD nameLen = 32, clsLen = 32;
  FILETIME ft = {0, 0};
  ASSERT_EQ(RegEnumKeyExW(root_, 0, name, &nameLen, nullptr, clsOut, &clsLen, &ft), ERROR_SUCCESS);
  EXPECT_EQ(WStr(clsOut), WStr(cls));
  EXPECT_EQ(clsLen, 8u);
  EXPECT_NE(ft.dwHighDateTime, 0u);
  // A class buffer that is too small.
  clsLen = 3, nameLen = 32;
  EXPECT_EQ(RegEnumKeyExW(root_, 0, name, &nameLen, nullptr, clsOut, &clsLen, nullptr), ERROR_MORE_DATA);
  RegCloseKey(key);
}

// The key's last write time, as one 64-bit number.
unsigned long long lastWriteTime(HKEY key) {
  FILETIME ft = {0, 0};
  EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, &ft),
            ERROR_SUCCESS);
  return (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void pauseLongerThanTheClockStep() {
#ifdef _WIN32
  Sleep(40);
#else
  usleep(40000);
#endif
}

TEST_F(ConformanceTest, SettingTheSameTypeAndDataAgainChangesNothing) {
  ASSERT_EQ(setDword(root_, W("same"), 5), ERROR_SUCCESS);
  const unsigned long long written = lastWriteTime(root_);
  pauseLongerThanTheClockStep();
  ASSERT_EQ(setDword(root_, W("same"), 5), ERROR_SUCCESS);
  EXPECT_EQ(lastWriteTime(root_), written);
  // Also right after reading the value (the stand-in then knows it already).
  DWORD read = 0, readSize = sizeof read;
  ASSERT_EQ(RegQueryValueExW(root_, W("same").c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&read), &readSize),
            ERROR_SUCCESS);
  ASSERT_EQ(setDword(root_, W("same"), 5), ERROR_SUCCESS);
  EXPECT_EQ(lastWriteTime(root_), written);

  // Other data, or the same bytes as another type, are changes.
  pauseLongerThanTheClockStep();
  ASSERT_EQ(setDword(root_, W("same"), 6), ERROR_SUCCESS);
  const unsigned long long changed = lastWriteTime(root_);
  EXPECT_GT(changed, written);
  pauseLongerThanTheClockStep();
  const DWORD six = 6;
  ASSERT_EQ(RegSetValueExW(root_, W("same").c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE *>(&six), 4),
            ERROR_SUCCESS);
  EXPECT_GT(lastWriteTime(root_), changed);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(root_, W("same").c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_BINARY));
  EXPECT_EQ(size, 4u);
}

TEST_F(ConformanceTest, SettingTheSameDataStillNeedsTheRightToSet) {
  ASSERT_EQ(setDword(root_, W("guarded"), 1), ERROR_SUCCESS);
  HKEY reader = nullptr;
  ASSERT_EQ(RegOpenKeyExW(root_, nullptr, 0, KEY_READ, &reader), ERROR_SUCCESS);
  EXPECT_EQ(setDword(reader, W("guarded"), 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCloseKey(reader), ERROR_SUCCESS);
}

} // namespace

#ifndef _WIN32
int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TemporaryRegistryEnvironment);
  return RUN_ALL_TESTS();
}
#endif
