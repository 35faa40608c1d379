// Security checks of the registry stand-in:
// - hive files and the folders the stand-in creates are private to the user
//   (0600 / 0700), even under umask 0, in the default location below
//   XDG_CONFIG_HOME, for the journal files beside an open hive and for a
//   machine hive;
// - a process that may not write the machine hive gets ERROR_ACCESS_DENIED
//   from every kind of write, the hive file stays byte for byte the same, and
//   no hive file appears where none existed;
// - over-long names are refused with ERROR_INVALID_PARAMETER by every call
//   that takes them, and a NUL ends a name as on Windows (nothing after it
//   is stored);
// - a tree deeper than 512 levels is refused with Windows' code, and a far
//   deeper tree written into the hive file behind the API's back is opened
//   and removed without exhausting the stack.
// Children run with their own environment; as root, the unprivileged process
// is made with setpriv.
#include "hardening_support.h"
#include "hive_backdoor.h"

#include <sys/stat.h>

#include <cstdio>
#include <sstream>

using namespace hardening;

namespace {

unsigned modeOf(const std::string &path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? unsigned(info.st_mode & 07777) : 0xFFFFu;
}

// ---- children ----------------------------------------------------------------

// Writes to both hives under umask 0 and reports the modes of the files
// while they are open: "<user.db> <user.db-wal> <user.db-shm> <machine.db>".
int runPrivateWriter(const std::string &userDir, const std::string &machineDir) {
  ::umask(0);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Private", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr))
    return 2;
  DWORD one = 1;
  if (RegSetValueExW(key, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4)) return 3;
  RegCloseKey(key);
  std::printf("%o %o %o", modeOf(userDir + "/user.db"), modeOf(userDir + "/user.db-wal"),
              modeOf(userDir + "/user.db-shm"));
  if (!machineDir.empty()) {
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Private", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr))
      return 4;
    RegCloseKey(key);
    std::printf(" %o", modeOf(machineDir + "/machine.db"));
  }
  std::printf("\n");
  return 0;
}

// Fills the machine hive (run with the right to write it).
int runMachinePopulate() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk\\Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr))
    return 2;
  DWORD one = 1;
  LONG rc = RegSetValueExW(key, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4);
  RegCloseKey(key);
  return rc ? 3 : 0;
}

// Every kind of write to the machine hive; prints each result code, then
// the result of a plain read.
int runMachineWrites() {
  std::vector<long> codes;
  HKEY key = nullptr;
  codes.push_back(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk\\New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr));
  codes.push_back(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk", 0, KEY_SET_VALUE, &key));
  codes.push_back(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk", 0, KEY_ALL_ACCESS, &key));
  DWORD one = 1;
  codes.push_back(RegSetValueExW(HKEY_LOCAL_MACHINE, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4));
  codes.push_back(RegDeleteValueW(HKEY_LOCAL_MACHINE, u"v"));
  codes.push_back(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk\\Sub"));
  codes.push_back(long(SHDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk")));
  for (long code : codes) std::printf("%ld ", code);
  LONG read = RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Zelk\\Sub", 0, KEY_READ, &key);
  DWORD value = 0, size = 4;
  if (read == ERROR_SUCCESS) {
    read = RegQueryValueExW(key, u"v", nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size);
    RegCloseKey(key);
  }
  std::printf("read %ld %lu\n", long(read), static_cast<unsigned long>(value));
  return 0;
}

// ---- helpers of the parent -----------------------------------------------------

// Root can act as the unprivileged user when setpriv exists and that user
// may run this binary (not so in a checkout below a private home).
bool canRunUnprivileged() {
  const std::string command =
      "setpriv --reuid=65534 --regid=65534 --clear-groups test -x '" + selfPath() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

// Runs this binary with `args` and the environment `env` (a shell prefix);
// as the unprivileged user when `unprivileged` and this process is root.
std::string runChild(const std::string &env, const std::string &args, bool unprivileged, int *status) {
  std::string command = env + " ";
  if (unprivileged && ::geteuid() == 0) command += "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  command += "'" + selfPath() + "' " + args + " 2>&1";
  std::string output;
  if (FILE *pipe = ::popen(command.c_str(), "r")) {
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
    int raw = ::pclose(pipe);
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  return output;
}

class RegistrySecurityTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = makeTempDir("zelk-security");
    ::chmod(dir_.c_str(), 0755); // the unprivileged user may enter, not write
  }
  void TearDown() override { removeTree(dir_); }
  std::string dir_;
};

TEST_F(RegistrySecurityTest, HivesAndFoldersAreCreatedPrivateEvenUnderUmaskZero) {
  // The default location below XDG_CONFIG_HOME, with folders to create.
  const std::string config = dir_ + "/config";
  const std::string userDir = config + "/zelk/registry";
  int status = -1;
  std::string out = runChild("env -u ZELK_REGISTRY_DIR XDG_CONFIG_HOME='" + config + "'",
                             "--private-writer '" + userDir + "' ''", false, &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "600 600 600\n") << "user.db, its -wal and -shm while open";
  EXPECT_EQ(modeOf(config), 0700u);
  EXPECT_EQ(modeOf(config + "/zelk"), 0700u);
  EXPECT_EQ(modeOf(userDir), 0700u);
  EXPECT_EQ(modeOf(userDir + "/user.db"), 0600u);

  // Both hives in ZELK_REGISTRY_DIR, the machine hive writable.
  const std::string both = dir_ + "/both";
  out = runChild("ZELK_REGISTRY_MACHINE_READONLY= ZELK_REGISTRY_DIR='" + both + "'",
                 "--private-writer '" + both + "' '" + both + "'", false, &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "600 600 600 600\n");
  EXPECT_EQ(modeOf(both), 0700u);
}

TEST_F(RegistrySecurityTest, MachineHiveRefusesEveryWriteToAProcessThatMayNotWriteIt) {
  if (::geteuid() == 0 && !canRunUnprivileged()) GTEST_SKIP() << "cannot run this binary as another user";
  int status = -1;
  std::string out =
      runChild("ZELK_REGISTRY_MACHINE_READONLY= ZELK_REGISTRY_DIR='" + dir_ + "'", "--machine-populate", false, &status);
  ASSERT_EQ(status, 0) << out;
  const std::string hive = dir_ + "/machine.db";
  // What an administrator does to let other users read the machine hive.
  ASSERT_EQ(::chmod(hive.c_str(), ::geteuid() == 0 ? 0644 : 0444), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  const std::string before = readFile(hive);

  // Without the read-only switch: only the file's permissions stand in the way.
  out = runChild("ZELK_REGISTRY_MACHINE_READONLY= ZELK_REGISTRY_DIR='" + dir_ + "'", "--machine-writes", true,
                 &status);
  ::chmod(dir_.c_str(), 0755);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "5 5 5 5 5 5 5 read 0 1\n")
      << "create, open for set, open for all, set, delete value, delete key, delete tree; then a read";
  EXPECT_EQ(readFile(hive), before) << "the machine hive was changed";

  // Where no machine hive exists and its folder may not be written, nothing
  // appears either.
  const std::string empty = dir_ + "/empty";
  ASSERT_EQ(::mkdir(empty.c_str(), 0555), 0);
  out = runChild("ZELK_REGISTRY_MACHINE_READONLY= ZELK_REGISTRY_DIR='" + empty + "'", "--machine-writes", true,
                 &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out.substr(0, 2), "5 ") << out;
  EXPECT_EQ(modeOf(empty + "/machine.db"), 0xFFFFu) << "a machine hive was created";
  ::chmod(empty.c_str(), 0755);
}

TEST_F(RegistrySecurityTest, OverLongNamesAreRefusedAndNulEndsAName) {
  ::setenv("ZELK_REGISTRY_DIR", dir_.c_str(), 1);
  HKEY root = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Names", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                            nullptr),
            ERROR_SUCCESS);
  const WStr longKey(256, u'k');
  const WStr longPathKey = W("a\\") + longKey + W("\\b");
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(root, longPathKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExW(root, longPathKey.c_str(), 0, KEY_READ, &key), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExW(root, u"a", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND) << "a refused path made keys";

  const WStr longValue(16384, u'v');
  DWORD one = 1, size = 4;
  EXPECT_EQ(RegSetValueExW(root, longValue.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4),
            ERROR_INVALID_PARAMETER);
  EXPECT_NE(RegQueryValueExW(root, longValue.c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&one), &size),
            ERROR_SUCCESS);
  EXPECT_NE(RegDeleteValueW(root, longValue.c_str()), ERROR_SUCCESS);
  DWORD values = 99;
  ASSERT_EQ(RegQueryInfoKeyW(root, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 0u) << "a refused name was stored";

  // A NUL ends the name: "a\0b" names the value "a", and nothing of "b" is kept.
  const WCHAR withNul[] = {u'a', 0, u'b', 0};
  ASSERT_EQ(RegSetValueExW(root, withNul, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&one), 4), ERROR_SUCCESS);
  WCHAR name[8] = {};
  DWORD nameLength = 8;
  ASSERT_EQ(RegEnumValueW(root, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(nameLength, 1u);
  EXPECT_EQ(name[0], u'a');
  const WCHAR keyWithNul[] = {u'k', 0, u'x', 0};
  ASSERT_EQ(RegCreateKeyExW(root, keyWithNul, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExW(root, u"k", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);

  RegCloseKey(root);
}

// Run by the test below in a child of its own (the registry reads its
// directory at a process's first call); skipped anywhere else.
TEST(RegistryDeepTrees, InAChild) {
  const char *dirVariable = std::getenv("ZELK_SECURITY_DEEP_TREES");
  if (!dirVariable) GTEST_SKIP() << "runs in the child of TreesDeeperThanWindowsAllows...";
  const std::string dir_ = dirVariable;
  HKEY root = nullptr, key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Deep", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                            nullptr),
            ERROR_SUCCESS);
  // Software\Deep is level 2 below the root; the path reaches level 512.
  WStr path = W("d");
  for (int level = 4; level <= 512; ++level) path += W("\\d");
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
  // One level more is refused with Windows' code, from the handle and from
  // the root alike, and a refused path creates none of its keys.
  EXPECT_EQ(RegCreateKeyExW(root, (path + W("\\d")).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_NO_SYSTEM_RESOURCES);
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (W("Software\\Deep\\") + path + W("\\d")).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_NO_SYSTEM_RESOURCES);
  EXPECT_EQ(RegCreateKeyExW(root, (W("e\\") + path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_NO_SYSTEM_RESOURCES);
  EXPECT_EQ(RegOpenKeyExW(root, u"e", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND) << "a refused path made keys";
  EXPECT_EQ(SHDeleteKeyW(root, u"d"), DWORD(ERROR_SUCCESS));

  // A tree 100,000 levels deep written straight into the hive file: its keys
  // open, and the whole tree is removed without exhausting the stack.
  ASSERT_EQ(RegCreateKeyExW(root, u"chain", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
  const std::string hive = dir_ + "/user.db";
  const int64_t keysBefore = zelk_test::countKeys(hive);
  ASSERT_TRUE(zelk_test::appendKeyChain(hive, "chain", 100000));
  WStr deep = W("chain");
  for (int level = 0; level < 600; ++level) deep += W("\\d");
  EXPECT_EQ(RegOpenKeyExW(root, deep.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(SHDeleteKeyW(root, u"chain"), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(RegOpenKeyExW(root, u"chain", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(zelk_test::countKeys(hive), keysBefore - 1) << "the deleted tree left keys behind";
  RegCloseKey(root);
}

TEST_F(RegistrySecurityTest, TreesDeeperThanWindowsAllowsAreRefusedButExistingOnesAreWalked) {
  const std::string log = dir_ + "/child.log";
  pid_t child = spawnSelf({"--gtest_filter=RegistryDeepTrees.InAChild"}, dir_, log);
  EXPECT_EQ(waitFor(child), 0) << readFile(log);
  EXPECT_EQ(readFile(log).find("[  SKIPPED ]"), std::string::npos) << readFile(log);
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 4 && std::string(argv[1]) == "--private-writer") return runPrivateWriter(argv[2], argv[3]);
  if (argc == 2 && std::string(argv[1]) == "--machine-populate") return runMachinePopulate();
  if (argc == 2 && std::string(argv[1]) == "--machine-writes") return runMachineWrites();
  if (argc == 2 && std::string(argv[1]) == "--gtest_filter=RegistryDeepTrees.InAChild") {
    ::setenv("ZELK_SECURITY_DEEP_TREES", std::getenv("ZELK_REGISTRY_DIR"), 1);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
