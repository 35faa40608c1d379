// Part of the conformance test (same executable, natively and under Wine):
// what a failed open or create leaves in the caller's result, and how
// RegQueryInfoKeyW treats the caller's class buffer.
//   WINE_DIFF(class length)  with a class buffer of length 0 Wine reports
//                            the class's length; Windows leaves 0.
//   WINE_DIFF(create on a bad handle)  Wine's RegCreateKeyExW on an invalid
//                            handle leaves the caller's result as it was;
//                            Windows writes NULL.
#include "registry_test_support.h"

#include <algorithm>
#include <iterator>

using namespace zelk_test;

namespace {

#define WINE_DIFF(what) if (runningUnderWine()) {} else

using FailureAndClassRulesTest = RegistryKeyTest;

// Every failing open and create writes NULL over whatever the caller's
// result held, so a caller closing it after a failure closes nothing.
TEST_F(FailureAndClassRulesTest, FailedOpensAndCreatesClearTheResult) {
  // (Made before the closed one: Wine gives a closed handle's value to the
  // next key opened.)
  HKEY stable = create(root_, W("stable"));
  ASSERT_NE(stable, nullptr);
  HKEY closed = create(root_, W("closed"));
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  const WStr tooLong(300, WCHAR('n'));
  struct Case {
    const char *what;
    HKEY parent;
    WStr subkey;
    LONG expected;
  };
  const Case cases[] = {
      {"NULL root", nullptr, W("x"), ERROR_INVALID_HANDLE},
      {"closed handle", closed, W("x"), ERROR_INVALID_HANDLE},
      {"missing key", root_, W("missing\\deeper"), ERROR_FILE_NOT_FOUND},
      {"leading backslash", root_, W("\\x"), ERROR_BAD_PATHNAME},
      {"over-long name", root_, tooLong, ERROR_INVALID_PARAMETER},
  };
  for (const Case &c : cases) {
    HKEY result = stable; // a handle the caller owns
    EXPECT_EQ(RegOpenKeyExW(c.parent, c.subkey.c_str(), 0, KEY_READ, &result), c.expected) << c.what;
    EXPECT_EQ(result, nullptr) << "open: " << c.what;
    if (c.expected == ERROR_FILE_NOT_FOUND) continue; // a create would succeed
    result = stable;
    EXPECT_EQ(RegCreateKeyExW(c.parent, c.subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &result, nullptr),
              c.expected)
        << c.what;
    if (c.expected == ERROR_INVALID_HANDLE) {
      WINE_DIFF(create on a bad handle) EXPECT_EQ(result, nullptr) << "create: " << c.what;
    } else {
      EXPECT_EQ(result, nullptr) << "create: " << c.what;
    }
  }
  // A stable key below a volatile one is refused the same way.
  HKEY result = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root_, W("volatile").c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &result, nullptr),
            ERROR_SUCCESS);
  HKEY volatileKey = result;
  EXPECT_EQ(RegCreateKeyExW(volatileKey, W("child").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &result, nullptr),
            ERROR_CHILD_MUST_BE_VOLATILE);
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(RegCloseKey(volatileKey), ERROR_SUCCESS);
  // The handle the caller kept is still its own.
  EXPECT_EQ(setDword(stable, W("still mine"), 1), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(stable), ERROR_SUCCESS);
}

TEST_F(FailureAndClassRulesTest, ClassBufferOfLengthZeroIsLeftAlone) {
  WCHAR cls[] = {'c', 'l', 'a', 's', 's', ' ', 'o', 'f', ' ', 't', 'e', 'n', 0}; // 12 units
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root_, W("classy").c_str(), 0, cls, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  auto query = [&](WCHAR *buffer, DWORD &length) {
    return RegQueryInfoKeyW(key, buffer, &length, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr);
  };
  const WCHAR untouched = 0x5555;
  WCHAR buffer[32];
  std::fill(std::begin(buffer), std::end(buffer), untouched);
  DWORD length = 0;
  EXPECT_EQ(query(buffer, length), ERROR_SUCCESS);
  WINE_DIFF(class length) EXPECT_EQ(length, 0u);
  EXPECT_EQ(buffer[0], untouched);
  // Without a buffer: the class's length.
  length = 0;
  EXPECT_EQ(query(nullptr, length), ERROR_SUCCESS);
  EXPECT_EQ(length, 12u);
  // One unit short of the NUL: refused, the buffer untouched.
  length = 12;
  EXPECT_EQ(query(buffer, length), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(buffer[0], untouched);
  length = 13;
  EXPECT_EQ(query(buffer, length), ERROR_SUCCESS);
  EXPECT_EQ(length, 12u);
  EXPECT_EQ(WStr(buffer), WStr(cls));
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

} // namespace
