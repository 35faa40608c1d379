// Part of the conformance test (natively and under Wine): the result a failed
// open or create leaves, and RegQueryInfoKeyW's class buffer rules. Where Wine
// differs, Windows (and the stand-in) leave a class length of 0, and clear the
// result of a create on a bad handle, which Wine leaves as it was.
#include "registry_test_support.h"

using namespace zelk_test;

namespace {

#define WINE_DIFF(what) if (runningUnderWine()) {} else

using FailureAndClassRulesTest = RegistryKeyTest;

// A caller closing its result after a failure must close nothing of its own.
TEST_F(FailureAndClassRulesTest, FailedOpensAndCreatesClearTheResult) {
  HKEY owned = create(root_, W("owned")); // before the closed one: Wine reuses a closed handle's value
  HKEY closed = create(root_, W("closed"));
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  const struct {
    HKEY parent;
    WStr subkey;
    LONG expected;
  } cases[] = {{nullptr, W("x"), ERROR_INVALID_HANDLE},
               {closed, W("x"), ERROR_INVALID_HANDLE},
               {root_, W("missing\\deeper"), ERROR_FILE_NOT_FOUND},
               {root_, W("\\x"), ERROR_BAD_PATHNAME},
               {root_, WStr(300, WCHAR('n')), ERROR_INVALID_PARAMETER}};
  for (const auto &c : cases) {
    HKEY result = owned;
    EXPECT_EQ(RegOpenKeyExW(c.parent, c.subkey.c_str(), 0, KEY_READ, &result), c.expected);
    EXPECT_EQ(result, nullptr) << "open failing with " << c.expected;
    if (c.expected == ERROR_FILE_NOT_FOUND) continue; // a create would succeed
    result = owned;
    EXPECT_EQ(RegCreateKeyExW(c.parent, c.subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &result, nullptr),
              c.expected);
    if (c.expected != ERROR_INVALID_HANDLE) EXPECT_EQ(result, nullptr) << "create failing with " << c.expected;
    else WINE_DIFF(create on a bad handle) EXPECT_EQ(result, nullptr) << "create failing with " << c.expected;
  }
  EXPECT_EQ(RegCloseKey(owned), ERROR_SUCCESS);
}

TEST_F(FailureAndClassRulesTest, ClassBufferOfLengthZeroIsLeftAlone) {
  WCHAR cls[] = {'c', 'l', 'a', 's', 's', ' ', 'o', 'f', ' ', 't', 'e', 'n', 0}; // 12 units
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root_, W("classy").c_str(), 0, cls, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  WCHAR buffer[32] = {0x5555};
  auto query = [&](WCHAR *into, DWORD length, LONG expected) {
    EXPECT_EQ(RegQueryInfoKeyW(key, into, &length, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              expected);
    return length;
  };
  DWORD length = query(buffer, 0, ERROR_SUCCESS);
  WINE_DIFF(class length) EXPECT_EQ(length, 0u);
  EXPECT_EQ(query(nullptr, 0, ERROR_SUCCESS), 12u); // no buffer: the class's length
  EXPECT_EQ(query(buffer, 12, ERROR_INSUFFICIENT_BUFFER), 12u); // no room for the NUL
  EXPECT_EQ(buffer[0], 0x5555);                                 // untouched by all three
  EXPECT_EQ(query(buffer, 13, ERROR_SUCCESS), 12u);
  EXPECT_EQ(WStr(buffer), WStr(cls));
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

} // namespace
