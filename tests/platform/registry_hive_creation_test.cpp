// The creation of a new hive, where it can go wrong:
// - a process killed while creating a hive leaves "user.db.new-<pid>-<n>"
//   (with its -wal and -shm); the next process to open the hive for writing
//   removes those of processes that no longer exist, and only those;
// - a disk that fills during the creation gives ERROR_DISK_FULL (112), not
//   an I/O error, leaves no temporary file behind, and the hive is created
//   once there is space again. This needs a small file system of its own:
//   as root, in a private mount namespace (skipped where that is refused).
#include "registry_process_support.h"

#include <csignal>
#include <dirent.h>
#include <set>
#include <sys/stat.h>

using namespace zelk_test;

namespace {

// Child: creates a key and sets a value; prints the first failing code (0).
int createAndSet() {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, ZELK_WSTR("Software\\Created"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr);
  if (rc == ERROR_SUCCESS) {
    DWORD v = 7;
    rc = RegSetValueExW(key, ZELK_WSTR("v"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4);
    RegCloseKey(key);
  }
  std::printf("%ld\n", long(rc));
  return 0;
}

std::set<std::string> entries(const std::string &dir) {
  std::set<std::string> names;
  if (DIR *d = ::opendir(dir.c_str())) {
    while (const dirent *e = ::readdir(d)) {
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
    }
    ::closedir(d);
  }
  return names;
}

class HiveCreationTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/zelk-hive-creation-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { removeTree(dir_); }
  std::string env() const { return "ZELK_REGISTRY_DIR='" + dir_ + "'"; }
  std::string dir_;
};

TEST_F(HiveCreationTest, LeftoversOfKilledCreationsAreRemovedByTheNextOpen) {
  pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ASSERT_GT(dead, 0);
  ::waitpid(dead, nullptr, 0);
  const std::string deadName = "user.db.new-" + std::to_string(dead) + "-17";
  const std::string liveName = "user.db.new-" + std::to_string(::getpid()) + "-18";
  const std::set<std::string> kept = {liveName, "user.db.new-notes", "machine.db.new-" + std::to_string(dead) + "-1"};
  // Before the hive exists (its creation sweeps), and once it does (its
  // opening sweeps).
  for (const char *when : {"before the hive exists", "when the hive exists"}) {
    SCOPED_TRACE(when);
    for (const std::string &name : {deadName, deadName + "-wal", deadName + "-shm"}) writeFile(dir_ + "/" + name, "x");
    for (const std::string &name : kept) writeFile(dir_ + "/" + name, "x");
    ChildResult r = runSelf("--create", env());
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "0\n");
    std::set<std::string> expected = kept;
    expected.insert("user.db");
    EXPECT_EQ(entries(dir_), expected);
  }
}

TEST_F(HiveCreationTest, DiskFullDuringCreationIsDiskFull) {
  // For each amount of space left (none, and less than the hive needs), the
  // creation fails with 112 and leaves no temporary file; then, with the
  // filler gone, it succeeds.
  const std::string script =
      "unshare -m sh -c '"
      "mount -t tmpfs -o size=256k tmpfs \"$1\" 2>/dev/null || exit 77; mkdir \"$1/reg\"; "
      "for left in 0 8 20 28; do "
      "  dd if=/dev/zero of=\"$1/fill\" bs=4096 2>/dev/null; truncate -s -${left}K \"$1/fill\"; "
      "  ZELK_REGISTRY_DIR=\"$1/reg\" \"$2\" --create; rm -f \"$1/fill\"; "
      "  echo \"left ${left}K: $(ls -A \"$1/reg\" | grep -c new-) temporary\"; rm -f \"$1/reg/\"*; "
      "done; "
      "ZELK_REGISTRY_DIR=\"$1/reg\" \"$2\" --create"
      "' sh '" + dir_ + "' '" + selfPath() + "' 2>&1";
  FILE *pipe = ::popen(script.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
  int status = ::pclose(pipe);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot mount a small file system here";
  EXPECT_EQ(output, "112\nleft 0K: 0 temporary\n112\nleft 8K: 0 temporary\n112\nleft 20K: 0 temporary\n"
                    "112\nleft 28K: 0 temporary\n0\n");
}

} // namespace

int main(int argc, char **argv) {
  if (argc >= 2 && std::string(argv[1]) == "--create") return createAndSet();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
