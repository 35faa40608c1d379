// The read-only machine hive: with ZELK_REGISTRY_MACHINE_READONLY=1 (the
// switch for tests, which run as root) HKEY_LOCAL_MACHINE reads work and every
// attempt to write, or to open for write access, gives ERROR_ACCESS_DENIED,
// as for a non-administrator on Windows.  A child process without the switch
// fills the machine hive first.
#include "registry_process_support.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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

// Child: reads the machine hive and tries to write it; prints both codes.
int probeMachineHive() {
  HKEY key = nullptr;
  LONG read = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, 0x20119, &key);
  DWORD v = 0, size = 4;
  if (read == ERROR_SUCCESS) {
    read = RegQueryValueExW(key, ZELK_WSTR("FromMachine"), nullptr, nullptr, reinterpret_cast<BYTE *>(&v), &size);
    RegCloseKey(key);
  }
  HKEY writeKey = nullptr;
  LONG write = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, 0xF013F, &writeKey);
  if (write == ERROR_SUCCESS) RegCloseKey(writeKey);
  std::printf("%ld %lu %ld\n", long(read), static_cast<unsigned long>(v), long(write));
  return 0;
}

// Child: sets the machine value to `value` (run without the switch).
int setMachineValue(DWORD value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, 0xF013F, &key)) return 20;
  LONG rc = RegSetValueExW(key, ZELK_WSTR("FromMachine"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), 4);
  RegCloseKey(key);
  return rc ? 21 : 0;
}

// Child: reads the machine value into `out` ("first N"), waits for a line on
// stdin, then reads it again ("second N") through the same open key.
int readMachineValueTwice(const char *out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, 0x20119, &key)) return 30;
  FILE *report = std::fopen(out, "w");
  if (!report) return 31;
  for (const char *when : {"first", "second"}) {
    DWORD v = 0, size = 4;
    LONG rc = RegQueryValueExW(key, ZELK_WSTR("FromMachine"), nullptr, nullptr, reinterpret_cast<BYTE *>(&v), &size);
    std::fprintf(report, "%s %ld %lu\n", when, long(rc), static_cast<unsigned long>(v));
    std::fflush(report);
    if (std::string(when) == "first") {
      char line[8];
      if (!std::fgets(line, sizeof line, stdin)) return 32;
    }
  }
  std::fclose(report);
  RegCloseKey(key);
  return 0;
}

// A hive in a fresh directory, filled by a child without the switch.
class HivePermissionTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/zelk-machine-hive-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ChildResult child = runSelf("--populate", env() + " ZELK_REGISTRY_MACHINE_READONLY=");
    ASSERT_EQ(child.status, 0) << child.output;
    ASSERT_TRUE(fileExists(dir_ + "/machine.db"));
    ASSERT_FALSE(fileExists(dir_ + "/machine.db-wal")) << "the writer closes its hive at exit";
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0700);
    removeTree(dir_);
  }
  static bool fileExists(const std::string &path) { return ::access(path.c_str(), F_OK) == 0; }
  std::string env() const { return "ZELK_REGISTRY_DIR='" + dir_ + "'"; }
  std::string dir_;
};

TEST_F(HivePermissionTest, OtherUserReadsButCannotWriteARootOwnedHive) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  if (::system("command -v setpriv >/dev/null 2>&1") != 0) GTEST_SKIP() << "setpriv not installed";
  // What an administrator does to share the machine hive read-only.
  ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);
  ASSERT_EQ(::chmod((dir_ + "/machine.db").c_str(), 0644), 0);
  ChildResult r = runSelf("--probe-machine",
                          "ZELK_REGISTRY_MACHINE_READONLY= " + env() +
                              " setpriv --reuid=65534 --regid=65534 --clear-groups");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "0 5 5\n"); // read works and finds 5; write access denied
}

TEST_F(HivePermissionTest, OtherUserSeesTheOwnersLaterChange) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  if (::system("command -v setpriv >/dev/null 2>&1") != 0) GTEST_SKIP() << "setpriv not installed";
  ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);
  ASSERT_EQ(::chmod((dir_ + "/machine.db").c_str(), 0644), 0);
  char reportPath[] = "/tmp/zelk-machine-report-XXXXXX";
  int fd = ::mkstemp(reportPath);
  ASSERT_GE(fd, 0);
  ::close(fd);
  ASSERT_EQ(::chmod(reportPath, 0666), 0);
  // The reader (another user, reading the file as an immutable snapshot)
  // reads, the owner changes the value, the reader reads again.
  std::string reader = "ZELK_REGISTRY_MACHINE_READONLY= " + env() +
                       " setpriv --reuid=65534 --regid=65534 --clear-groups '" + selfPath() +
                       "' --read-twice " + reportPath;
  FILE *readerInput = ::popen(reader.c_str(), "w");
  ASSERT_NE(readerInput, nullptr);
  for (int wait = 0; wait < 200 && readFile(reportPath).find("first") == std::string::npos; ++wait) ::usleep(50000);
  ChildResult owner = runSelf("--set-machine 6", env() + " ZELK_REGISTRY_MACHINE_READONLY=");
  EXPECT_EQ(owner.status, 0) << owner.output;
  std::fputs("go\n", readerInput);
  EXPECT_EQ(::pclose(readerInput), 0);
  EXPECT_EQ(readFile(reportPath), "first 0 5\nsecond 0 6\n");
  ::unlink(reportPath);
}

// Child: copies the machine value into the user hive (run as the owner), or
// reads it back from there (run as the reader); prints the code and value.
int userHiveValue(bool write) {
  HKEY key = nullptr;
  DWORD v = 5, size = 4;
  LONG rc = write ? RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, 0xF013F, nullptr, &key, nullptr)
                  : RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, 0x20119, &key);
  if (rc == ERROR_SUCCESS) {
    rc = write ? RegSetValueExW(key, ZELK_WSTR("FromUser"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4)
               : RegQueryValueExW(key, ZELK_WSTR("FromUser"), nullptr, nullptr, reinterpret_cast<BYTE *>(&v), &size);
    RegCloseKey(key);
  }
  std::printf("%ld %lu\n", long(rc), static_cast<unsigned long>(v));
  return 0;
}

TEST_F(HivePermissionTest, ForeignHiveInAWritableFolderGetsNothingBesideIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const std::string asOther = "setpriv --reuid=65534 --regid=65534 --clear-groups";
  if (::system((asOther + " test -x '" + selfPath() + "' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "cannot run this binary as another user";
  }
  ChildResult owner = runSelf("--user-value write", env());
  ASSERT_EQ(owner.status, 0) << owner.output;
  ASSERT_FALSE(fileExists(dir_ + "/user.db-wal")) << "the writer closes its hive at exit";
  // Root-owned 0644 hives in a folder the reader may write.
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  ASSERT_EQ(::chmod((dir_ + "/user.db").c_str(), 0644), 0);
  ASSERT_EQ(::chmod((dir_ + "/machine.db").c_str(), 0644), 0);
  ChildResult user = runSelf("--user-value read", "ZELK_REGISTRY_MACHINE_READONLY= " + env() + " " + asOther);
  ChildResult machine = runSelf("--probe-machine", "ZELK_REGISTRY_MACHINE_READONLY= " + env() + " " + asOther);
  EXPECT_EQ(user.output, "0 5\n");
  EXPECT_EQ(machine.output, "0 5 5\n");
  for (const char *beside : {"/user.db-wal", "/user.db-shm", "/machine.db-wal", "/machine.db-shm"}) {
    EXPECT_FALSE(fileExists(dir_ + beside)) << beside << " appeared beside a foreign hive";
  }
}

TEST_F(HivePermissionTest, HiveFileWithoutWritePermissionIsReadOnly) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  ASSERT_EQ(::chmod((dir_ + "/machine.db").c_str(), 0444), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  ChildResult r = runSelf("--probe-machine", "ZELK_REGISTRY_MACHINE_READONLY= " + env());
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "0 5 5\n");
}

} // namespace

int main(int argc, char **argv) {
  if (argc >= 2 && std::string(argv[1]) == "--populate") return populateMachineHive();
  if (argc >= 2 && std::string(argv[1]) == "--probe-machine") return probeMachineHive();
  if (argc >= 3 && std::string(argv[1]) == "--user-value") return userHiveValue(std::string(argv[2]) == "write");
  if (argc >= 3 && std::string(argv[1]) == "--set-machine") return setMachineValue(DWORD(std::atoi(argv[2])));
  if (argc >= 3 && std::string(argv[1]) == "--read-twice") return readMachineValueTwice(argv[2]);
  ::testing::InitGoogleTest(&argc, argv);
  auto *env = new TemporaryRegistryEnvironment;
  ::testing::AddGlobalTestEnvironment(env);
  env->SetUp(); // the directory must exist before the switch is read
  ::setenv("ZELK_REGISTRY_MACHINE_READONLY", "1", 1);
  int rc = RUN_ALL_TESTS();
  return rc;
}
