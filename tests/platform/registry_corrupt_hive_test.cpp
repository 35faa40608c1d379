// Bad hive files: a file that is not a database, a database that is not a
// hive, a hive with damaged pages, a truncated hive, an empty file, (when
// not root) an unreadable file, and a hive path that is not a regular file
// at all (a FIFO, a directory, a socket, a device).  Every call fails with
// ERROR_BADDB or ERROR_REGISTRY_CORRUPT at once (never waiting on the path),
// nothing crashes, and the file is never changed.  Each case runs in a fresh
// child process pointed at its own directory.
#include "registry_process_support.h"

#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

using namespace zelk_test;

namespace {

bool isRegistryError(long code) { return code == ERROR_BADDB || code == ERROR_REGISTRY_CORRUPT; }

// Child: makes every kind of call on HKCU and prints the codes.
int probe() {
  HKEY key = nullptr;
  DWORD v = 1, size = 4;
  WCHAR name[32];
  DWORD len = 32;
  long codes[] = {
      RegOpenKeyExW(HKEY_CURRENT_USER, ZELK_WSTR("Software"), 0, KEY_READ, &key),
      RegCreateKeyExW(HKEY_CURRENT_USER, ZELK_WSTR("Software\\New"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr),
      RegSetValueExW(HKEY_CURRENT_USER, ZELK_WSTR("v"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4),
      RegQueryValueExW(HKEY_CURRENT_USER, ZELK_WSTR("v"), nullptr, nullptr, reinterpret_cast<BYTE *>(&v), &size),
      RegEnumKeyExW(HKEY_CURRENT_USER, 0, name, &len, nullptr, nullptr, nullptr, nullptr),
      RegQueryInfoKeyW(HKEY_CURRENT_USER, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr),
      long(SHDeleteKeyW(HKEY_CURRENT_USER, ZELK_WSTR("Software"))),
      RegDeleteValueW(HKEY_CURRENT_USER, ZELK_WSTR("v")),
  };
  for (long c : codes) std::printf("%ld\n", c);
  return 0;
}

// Child: writes a small valid hive.
int makeHive() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, ZELK_WSTR("Software\\Zelk\\Settings"), 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr)) {
    return 1;
  }
  std::string big(3000, 'x');
  for (int i = 0; i < 200; ++i) {
    WStr name = W(("value" + std::to_string(i)).c_str());
    if (RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE *>(big.data()),
                       DWORD(big.size()))) {
      return 2;
    }
  }
  RegCloseKey(key);
  return RegFlushKey(HKEY_CURRENT_USER) ? 3 : 0;
}

class CorruptHiveTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/zelk-corrupt-hive-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ + "/user.db";
  }
  void TearDown() override { removeTree(dir_); }

  std::string env() const { return "ZELK_REGISTRY_DIR='" + dir_ + "'"; }

  // Runs the probe and checks every code and that the file is unchanged.
  void expectRegistryErrors() {
    std::string before = readFile(file_);
    ChildResult r = runSelf("--probe", env());
    ASSERT_EQ(r.status, 0) << r.output;
    std::istringstream lines(r.output);
    long code;
    int count = 0;
    while (lines >> code) {
      EXPECT_TRUE(isRegistryError(code)) << "call " << count << " returned " << code;
      ++count;
    }
    EXPECT_EQ(count, 8) << r.output;
    EXPECT_EQ(readFile(file_), before) << "the hive file was changed";
  }

  std::string dir_, file_;
};

TEST_F(CorruptHiveTest, NotADatabase) {
  writeFile(file_, std::string("this is not a registry hive\n") + std::string(200, 'z'));
  expectRegistryErrors();
}

TEST_F(CorruptHiveTest, EmptyFile) {
  writeFile(file_, "");
  expectRegistryErrors();
}

TEST_F(CorruptHiveTest, DatabaseThatIsNotAHive) {
  ChildResult r = runSelf("--make-hive", env());
  ASSERT_EQ(r.status, 0) << r.output;
  // Replace the hive with another SQLite database: copy the header of a real
  // one but not its tables, by writing a minimal foreign database.
  std::string hive = readFile(file_);
  ASSERT_GT(hive.size(), 4096u);
  ::unlink((file_ + "-wal").c_str());
  ::unlink((file_ + "-shm").c_str());
  std::string cmd = "sqlite3 '" + dir_ + "/foreign.db' 'CREATE TABLE foo(x);' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "sqlite3 shell not installed";
  ASSERT_EQ(::rename((dir_ + "/foreign.db").c_str(), file_.c_str()), 0);
  expectRegistryErrors();
}

TEST_F(CorruptHiveTest, DamagedPages) {
  ChildResult r = runSelf("--make-hive", env());
  ASSERT_EQ(r.status, 0) << r.output;
  // Fold the WAL into the database, then damage every page after the first.
  r = runSelf("--checkpoint", env());
  ::unlink((file_ + "-wal").c_str());
  ::unlink((file_ + "-shm").c_str());
  std::string hive = readFile(file_);
  ASSERT_GT(hive.size(), 8192u);
  for (size_t i = 4096; i < hive.size(); i += 7) hive[i] = char(0xA5 ^ hive[i]);
  writeFile(file_, hive);
  expectRegistryErrors();
}

TEST_F(CorruptHiveTest, TruncatedHive) {
  ChildResult r = runSelf("--make-hive", env());
  ASSERT_EQ(r.status, 0) << r.output;
  ::unlink((file_ + "-wal").c_str());
  ::unlink((file_ + "-shm").c_str());
  std::string hive = readFile(file_);
  writeFile(file_, hive.substr(0, 100));
  expectRegistryErrors();
}

TEST_F(CorruptHiveTest, UnreadableFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can read any file";
  ChildResult r = runSelf("--make-hive", env());
  ASSERT_EQ(r.status, 0) << r.output;
  ASSERT_EQ(::chmod(file_.c_str(), 0), 0);
  ChildResult p = runSelf("--probe", env());
  std::istringstream lines(p.output);
  long code;
  while (lines >> code) EXPECT_TRUE(isRegistryError(code)) << code;
  ::chmod(file_.c_str(), 0600);
}

TEST_F(CorruptHiveTest, PathsThatAreNotRegularFilesFailAtOnce) {
  struct Kind {
    const char *name;
    mode_t type;
  };
  for (const Kind &kind : {Kind{"fifo", S_IFIFO}, Kind{"directory", S_IFDIR}, Kind{"socket", S_IFSOCK},
                           Kind{"device", S_IFCHR}, Kind{"fifo as the -wal beside a hive", S_IFIFO}}) {
    SCOPED_TRACE(kind.name);
    removeTree(dir_);
    ASSERT_EQ(::mkdir(dir_.c_str(), 0700), 0);
    std::string path = file_;
    if (std::string(kind.name).find("-wal") != std::string::npos) {
      ChildResult made = runSelf("--make-hive", env());
      ASSERT_EQ(made.status, 0) << made.output;
      path = file_ + "-wal";
    }
    int socketFd = -1;
    if (kind.type == S_IFIFO) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (kind.type == S_IFDIR) {
      ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
    } else if (kind.type == S_IFSOCK) {
      socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
      ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
      ASSERT_EQ(::listen(socketFd, 1), 0);
    } else {
      ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0); // a device that reads forever
    }
    // A caller that waited on the path would be killed by the time bound.
    ChildResult r = runSelf("--probe", env() + " timeout -s KILL 20");
    if (socketFd >= 0) ::close(socketFd);
    ASSERT_EQ(r.status, 0) << r.output;
    std::istringstream lines(r.output);
    long code;
    int count = 0;
    while (lines >> code) {
      EXPECT_EQ(code, ERROR_BADDB) << "call " << count;
      ++count;
    }
    EXPECT_EQ(count, 8) << r.output;
    struct stat st;
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & S_IFMT, kind.type == S_IFCHR ? S_IFLNK : kind.type) << "the path was replaced";
  }
}

TEST_F(CorruptHiveTest, CreatedFilesArePrivate) {
  ChildResult r = runSelf("--make-hive", "ZELK_REGISTRY_DIR='" + dir_ + "/a/b'");
  ASSERT_EQ(r.status, 0) << r.output;
  struct stat st;
  ASSERT_EQ(::stat((dir_ + "/a/b/user.db").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(::stat((dir_ + "/a/b").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat((dir_ + "/a").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

} // namespace

int main(int argc, char **argv) {
  if (argc >= 2 && std::string(argv[1]) == "--probe") return probe();
  if (argc >= 2 && std::string(argv[1]) == "--make-hive") return makeHive();
  if (argc >= 2 && std::string(argv[1]) == "--checkpoint") {
    return RegFlushKey(HKEY_CURRENT_USER) ? 1 : 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
