// Shared helpers of the registry tests.  Compiles natively against the
// stand-in and with mingw-w64 against the real Windows headers.
#pragma once

#include "win32_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <ftw.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace zelk_test {

using WStr = std::basic_string<WCHAR>;

inline WStr W(const char *ascii) {
  WStr s;
  while (*ascii) s.push_back(WCHAR(static_cast<unsigned char>(*ascii++)));
  return s;
}

// True when the Windows binary runs under Wine (detected at run time).
inline bool runningUnderWine() {
#ifdef _WIN32
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

#ifndef _WIN32
inline int removeEntry(const char *path, const struct stat *, int, struct FTW *) {
  return ::remove(path);
}
inline void removeTree(const std::string &dir) {
  ::nftw(dir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

// Points the stand-in at a fresh temporary directory (unless the caller set
// ZELK_REGISTRY_DIR already) and removes it at the end.
class TemporaryRegistryEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    if (const char *dir = std::getenv("ZELK_REGISTRY_DIR"); dir && *dir) return;
    char pattern[] = "/tmp/zelk-registry-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ::setenv("ZELK_REGISTRY_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    if (!dir_.empty()) removeTree(dir_);
  }
  const std::string &dir() const { return dir_; }

private:
  std::string dir_;
};
#endif

// A fresh key HKCU\Software\ZelkRegistryTest\<name> for each test.
class RegistryKeyTest : public ::testing::Test {
protected:
  void SetUp() override {
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = W("Software\\ZelkRegistryTest\\") + W(info->test_suite_name()) + W("_") + W(info->name());
    SHDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &root_, &disposition),
              ERROR_SUCCESS);
    ASSERT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  }
  void TearDown() override {
    if (root_) RegCloseKey(root_);
    SHDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
  }

  HKEY create(HKEY parent, const WStr &name, REGSAM sam = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, sam, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }
  LONG setString(HKEY key, const WStr &name, const WStr &value) {
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(WCHAR)));
  }
  LONG setDword(HKEY key, const WStr &name, DWORD value) {
    return RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                          sizeof value);
  }

  WStr path_;
  HKEY root_ = nullptr;
};

} // namespace zelk_test
