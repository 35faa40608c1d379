// Listing a key's values (or sub-keys) index after index: a change by
// another process, by this process or inside a batch between two indexes
// gives the new state's entry at the next index, exactly as counting from
// the first would. (That a listing continues from the entry found last
// instead of counting is a matter of speed: bench/registry measures it.)
#include "registry_test_support.h"

#include <sys/wait.h>
#include <unistd.h>

using namespace zelk_test;

namespace {

class RegistryEnumerationTest : public RegistryKeyTest {
protected:
  // The name of the value (or sub-key) at `index`, empty when there is none.
  WStr nameAt(DWORD index, bool subkey = false) {
    WCHAR name[64];
    DWORD length = 64;
    LONG rc = subkey ? RegEnumKeyExW(root_, index, name, &length, nullptr, nullptr, nullptr, nullptr)
                     : RegEnumValueW(root_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    return rc == ERROR_SUCCESS ? WStr(name, length) : WStr();
  }
  WStr v(int i) { return W(("v" + std::to_string(i)).c_str()); }
};

// The same for sub-keys, named v0 ... v9 too (which sort as they were made).
class EnumerationFollowsChangesTest : public RegistryEnumerationTest, public ::testing::WithParamInterface<bool> {
protected:
  bool subkeys() const { return GetParam(); }
  LONG add(int i) {
    HKEY key = nullptr;
    LONG rc = subkeys() ? RegCreateKeyExW(root_, v(i).c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr)
                        : setDword(root_, v(i), DWORD(i));
    if (key) RegCloseKey(key);
    return rc;
  }
  LONG remove(int i) { return subkeys() ? RegDeleteKeyW(root_, v(i).c_str()) : RegDeleteValueW(root_, v(i).c_str()); }
  WStr nameAt(DWORD index) { return RegistryEnumerationTest::nameAt(index, subkeys()); }
};
INSTANTIATE_TEST_SUITE_P(ValuesAndSubkeys, EnumerationFollowsChangesTest, ::testing::Bool());

TEST_P(EnumerationFollowsChangesTest, TheNextIndexFollowsEveryChange) {
  for (int i = 0; i < 10; ++i) ASSERT_EQ(add(i), ERROR_SUCCESS);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(nameAt(DWORD(i)), v(i));
  EXPECT_EQ(nameAt(3), v(3)); // the same index again, as after ERROR_MORE_DATA

  // Another process removes v1: index 4 is now v5.
  pid_t child = ::fork();
  if (child == 0) ::_exit(remove(1) == ERROR_SUCCESS ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(nameAt(4), v(5));

  // This process removes v0: v2 v3 v4 v5 v6 ..., index 5 is v7.
  ASSERT_EQ(remove(0), ERROR_SUCCESS);
  EXPECT_EQ(nameAt(5), v(7));

  // Inside a batch its own change counts at once: v2 v4 v5 v6 v7 v8 v9.
  ASSERT_EQ(ZelkRegBeginBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(nameAt(1), v(3));
  ASSERT_EQ(remove(3), ERROR_SUCCESS);
  EXPECT_EQ(nameAt(2), v(5));
  ASSERT_EQ(ZelkRegRollbackBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  // Rolled back: v2 v3 v4 ... v9 again; index 8 is past the end.
  EXPECT_EQ(nameAt(2), v(4));
  EXPECT_EQ(nameAt(3), v(5));
  EXPECT_EQ(nameAt(7), v(9));
  EXPECT_EQ(nameAt(8), WStr());
}

TEST_F(RegistryEnumerationTest, AKeyOfManyValuesListsInInsertionOrder) {
  const int count = 20000;
  ASSERT_EQ(ZelkRegBeginBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  for (int i = count - 1; i >= 0; --i) ASSERT_EQ(setDword(root_, v(i), DWORD(i)), ERROR_SUCCESS);
  ASSERT_EQ(ZelkRegCommitBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  DWORD index = 0;
  for (WStr name = nameAt(0); !name.empty(); name = nameAt(++index)) {
    ASSERT_EQ(name, v(count - 1 - int(index)));
  }
  EXPECT_EQ(index, DWORD(count));
}

} // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TemporaryRegistryEnvironment);
  return RUN_ALL_TESTS();
}
