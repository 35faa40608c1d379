// zelk-reg on inputs too large to hold: an export writes as it walks, so its
// memory stays far below the size of the file it writes; an import stops at
// its limits for one line and for the whole file with a clear message,
// /dev/zero and an endless pipe included, and changes nothing.
#include "hive_backdoor.h"
#include "registry_process_support.h"

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <atomic>
#include <chrono>
#include <thread>

using namespace zelk_test;

namespace {

const char *const kKey = "HKCU\\Software\\ZelkRegLimits";

// Under AddressSanitizer freed memory sits in a quarantine and every block has
// red zones, so the resident set says nothing about what the tool keeps: the
// memory bounds are checked by the plain build only.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeasurable = false;
#else
constexpr bool kMemoryIsMeasurable = true;
#endif
const char *const kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

struct RegRun {
  int status = -1;
  std::string output;
  long peakKiB = 0; // the child's largest resident set
};

// Runs zelk-reg with `args` and reports its output and peak memory.
RegRun reg(std::vector<std::string> args) {
  args.insert(args.begin(), ZELK_REG_PATH);
  RegRun run;
  int out[2];
  if (::pipe(out)) return run;
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::dup2(out[1], 2);
    ::close(out[0]);
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  char buf[4096];
  ssize_t n;
  while ((n = ::read(out[0], buf, sizeof buf)) > 0) run.output.append(buf, size_t(n));
  ::close(out[0]);
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKiB = usage.ru_maxrss;
  return run;
}

long long fileSize(const std::string &path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

class ZelkRegLimitsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(::mkdtemp(dir_), nullptr);
    SHDeleteKeyW(HKEY_CURRENT_USER, W("Software\\ZelkRegLimits").c_str());
  }
  void TearDown() override {
    SHDeleteKeyW(HKEY_CURRENT_USER, W("Software\\ZelkRegLimits").c_str());
    removeTree(dir_);
  }
  std::string path(const char *name) const { return std::string(dir_) + "/" + name; }
  // The import failed with `why` and left the registry without its key.
  void expectRefused(const RegRun &run, const std::string &file, const std::string &why) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "ERROR: Error importing " + file + ": " + why + "\n");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, W("Software\\ZelkRegLimits").c_str(), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
  }

  char dir_[32] = "/tmp/zelk-reg-limits-XXXXXX";
};

TEST_F(ZelkRegLimitsTest, ExportWritesAsItWalks) {
  // A chain of 6000 keys written behind the API's back: every key line holds
  // its full path, so the file grows with the square of the depth (about
  // 72 MB here) while the walk itself needs little.
  ASSERT_EQ(reg({"add", std::string(kKey) + "\\Deep", "/f"}).status, 0);
  const int levels = 6000;
  ASSERT_TRUE(appendKeyChain(std::string(std::getenv("ZELK_REGISTRY_DIR")) + "/user.db", "Deep", levels));
  const std::string file = path("deep.reg");
  RegRun exp = reg({"export", kKey, file, "/y"});
  ASSERT_EQ(exp.status, 0) << exp.output;
  const long long size = fileSize(file);
  std::printf("export of %d levels: %lld bytes written, peak memory %ld KiB\n", levels, size, exp.peakKiB);
  EXPECT_GT(size, 70'000'000);
  if (kMemoryIsMeasurable) {
    EXPECT_LT(exp.peakKiB * 1024LL, size / 4);
  }

  // The whole tree is there: every key line, and the innermost key's value at the end.
  std::string bytes = readFile(file);
  ASSERT_GT(bytes.size(), 2u);
  std::string ascii;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) ascii.push_back(bytes[i]);
  bytes.clear();
  size_t keyLines = 0;
  for (size_t at = ascii.find("\r\n[HKEY_CURRENT_USER\\Software\\ZelkRegLimits"); at != std::string::npos;
       at = ascii.find("\r\n[HKEY_CURRENT_USER\\Software\\ZelkRegLimits", at + 1)) {
    ++keyLines;
  }
  EXPECT_EQ(keyLines, size_t(levels + 2));
  EXPECT_EQ(ascii.rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
  const std::string innermost = "\\d]\r\n\"v\"=dword:00000001\r\n\r\n";
  EXPECT_EQ(ascii.substr(ascii.size() - innermost.size()), innermost);
}

TEST_F(ZelkRegLimitsTest, ImportStopsAtItsLimitsAndChangesNothing) {
  // An endless line: /dev/zero is read up to the limit of one line, no further.
  RegRun zero = reg({"import", "/dev/zero"});
  expectRefused(zero, "/dev/zero", "line 1: longer than the limit of 16777216 bytes for one line.");
  if (kMemoryIsMeasurable) {
    EXPECT_LT(zero.peakKiB, 128 * 1024) << "KiB";
  }

  // Hex data continued over many lines counts as one line, named by its first.
  std::string big = std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\ZelkRegLimits]\r\n\"ok\"=\"yes\"\r\n\"big\"=hex:";
  const std::string row = "00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\r\n  ";
  while (big.size() < (16u << 20) + 100) big += row;
  big += "00\r\n";
  const std::string file = path("big.reg");
  writeFile(file, big);
  expectRefused(reg({"import", file}), file, "line 5: longer than the limit of 16777216 bytes for one line.");

  // Short lines without end, from a pipe: stopped at the limit for a file.
  const std::string fifo = path("endless.reg");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::signal(SIGPIPE, SIG_IGN);
  // The writer stops a little past the limit; whatever zelk-reg did not read
  // is drained here, so the writer can never block on a full pipe.
  std::atomic<bool> written{false};
  std::thread writer([&] {
    FILE *out = std::fopen(fifo.c_str(), "wb");
    if (!out) return;
    std::fputs(kHeader, out);
    const std::string line = "; a comment that never ends the file\r\n";
    for (size_t sent = 0; sent < (65u << 20) && std::fputs(line.c_str(), out) >= 0; sent += line.size()) {
    }
    std::fclose(out);
    written = true;
  });
  RegRun endless = reg({"import", fifo});
  const int drain = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  char sink[1 << 16];
  while (drain >= 0 && !written) {
    if (::read(drain, sink, sizeof sink) <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  writer.join();
  if (drain >= 0) ::close(drain);
  expectRefused(endless, fifo, "the file is larger than the limit of 67108864 bytes for an import.");

  // Within the limits the same kind of file imports.
  writeFile(file, std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\ZelkRegLimits]\r\n\"big\"=hex:" + row + row +
                      "01\r\n");
  ASSERT_EQ(reg({"import", file}).status, 0);
  RegRun query = reg({"query", kKey, "/v", "big"});
  EXPECT_NE(query.output.find("REG_BINARY    " + std::string(96, '0') + "01\n"), std::string::npos) << query.output;
}

} // namespace

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TemporaryRegistryEnvironment);
  return RUN_ALL_TESTS();
}
