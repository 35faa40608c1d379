// The read-only machine hive: with ZELK_REGISTRY_MACHINE_READONLY=1 (the
// switch for tests, which run as root) HKEY_LOCAL_MACHINE reads work and every
// attempt to write, or to open for write access, gives ERROR_ACCESS_DENIED,
// as for a non-administrator on Windows.  A child process without the switch
// fills the machine hive first.
#include "registry_process_support.h"

#include <cstdlib>

using namespace zelk_test;

namespace {

const WCHAR *const kPath = ZELK_WSTR("SOFTWARE\\Zelk\\Settings\\abc");

int populateMachineHive() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, 0xF013F, nullptr, &key, nullptr)) return 10;
  DWORD v = 5;
  if (RegSetValueExW(key, ZELK_WSTR("FromMachine"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4)) return 11;
  HKEY sub = nullptr;
  if (RegCreateKeyExW(key, ZELK_WSTR("Playback"), 0, nullptr, 0, 0xF013F, nullptr, &sub, nullptr)) return 12;
  RegCloseKey(sub);
  RegCloseKey(key);
  return 0;
}

class MachineReadOnlyTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ChildResult child = runSelf("--populate", "ZELK_REGISTRY_MACHINE_READONLY=");
    ASSERT_EQ(child.status, 0) << child.output;
  }
};

TEST_F(MachineReadOnlyTest, ReadAccessWorks) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, 0x20119, &key), ERROR_SUCCESS);
  DWORD v = 0, size = 4, type = 0;
  EXPECT_EQ(RegQueryValueExW(key, ZELK_WSTR("FromMachine"), nullptr, &type, reinterpret_cast<BYTE *>(&v), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(v, 5u);
  WCHAR name[32];
  DWORD len = 32;
  EXPECT_EQ(RegEnumKeyExW(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(WStr(name), W("Playback"));
  // Even a create that only opens an existing key works with read rights.
  HKEY again = nullptr;
  DWORD disposition = 0;
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_READ, nullptr, &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
  RegCloseKey(again);
  RegCloseKey(key);
}

TEST_F(MachineReadOnlyTest, WriteAccessIsDenied) {
  HKEY key = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, 0xF013F, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, KEY_SET_VALUE, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, 0xF013F, nullptr, &key, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, ZELK_WSTR("SOFTWARE\\New"), 0, nullptr, 0, KEY_READ, nullptr,
                            &key, nullptr),
            ERROR_ACCESS_DENIED);
  // A missing key is still reported as missing.
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, ZELK_WSTR("SOFTWARE\\Missing"), 0, 0xF013F, &key),
            ERROR_FILE_NOT_FOUND);
  DWORD v = 1;
  EXPECT_EQ(RegSetValueExW(HKEY_LOCAL_MACHINE, ZELK_WSTR("x"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, ZELK_WSTR("SOFTWARE\\Zelk\\Settings\\abc\\Playback")),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(SHDeleteKeyW(HKEY_LOCAL_MACHINE, kPath), DWORD(ERROR_ACCESS_DENIED));
  HKEY ro = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, MAXIMUM_ALLOWED, &ro), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(ro, ZELK_WSTR("x"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueW(ro, ZELK_WSTR("FromMachine")), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegFlushKey(ro), ERROR_SUCCESS);
  RegCloseKey(ro);
  // Nothing changed.
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, KEY_READ, &ro), ERROR_SUCCESS);
  DWORD values = 0, subkeys = 0;
  EXPECT_EQ(RegQueryInfoKeyW(ro, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 1u);
  EXPECT_EQ(subkeys, 1u);
  RegCloseKey(ro);
}

TEST_F(MachineReadOnlyTest, UserHiveStaysWritable) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, 0xF013F, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD v = 3;
  EXPECT_EQ(RegSetValueExW(key, ZELK_WSTR("FromUser"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(MachineHiveWritableTest, WritableWithoutTheSwitchWhenTheFileIsWritable) {
  // The child runs without the switch (as root, or as the hive's owner).
  ChildResult child = runSelf("--populate", "ZELK_REGISTRY_MACHINE_READONLY=0");
  EXPECT_EQ(child.status, 0) << child.output;
}

} // namespace

int main(int argc, char **argv) {
  if (argc >= 2 && std::string(argv[1]) == "--populate") return populateMachineHive();
  ::testing::InitGoogleTest(&argc, argv);
  auto *env = new TemporaryRegistryEnvironment;
  ::testing::AddGlobalTestEnvironment(env);
  env->SetUp(); // the directory must exist before the switch is read
  ::setenv("ZELK_REGISTRY_MACHINE_READONLY", "1", 1);
  int rc = RUN_ALL_TESTS();
  return rc;
}
