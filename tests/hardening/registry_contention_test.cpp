// Several processes write and read one hive at the same time, from a hive
// that does not exist yet (so they also race to create it). Each process
// writes its own values into a shared key, reads its writes back at once,
// reads the other processes' values, creates and deletes keys, enumerates
// the shared key and flushes now and then. Checked:
// - no call fails because of another process: every call returns success,
//   or "not found" for another process's value not written yet;
// - nothing read is ever a mixture: every value read holds its writer's bytes;
// - nothing written is lost: afterwards every value of every process is there.
// ZELK_HARDENING_CONTENTION_PROCESSES and ZELK_HARDENING_CONTENTION_OPS
// enlarge the run (CI: 3 processes, 300 rounds each).
#include "hardening_support.h"

#include <chrono>
#include <cstdio>
#include <random>

using namespace hardening;

namespace {

const WStr kShared = W("Software\\ZelkContention\\Shared");

WStr valueName(int process, int round) { return W("p" + std::to_string(process) + "_" + std::to_string(round)); }

Bytes payload(int process, int round) {
  Bytes data(16 + (round * 37 + process * 11) % 900, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char((process * 97 + round * 13 + int(i)) & 0xFF);
  return data;
}

int envNumber(const char *name, int fallback) {
  const char *text = std::getenv(name);
  return text && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

[[noreturn]] void fail(const char *what, long rc, int round) {
  std::printf("FAIL %s rc=%ld round=%d\n", what, rc, round);
  std::fflush(stdout);
  std::_Exit(1);
}

// Reads a value; true with its bytes, false when it does not exist (yet).
bool readBinary(HKEY key, const WStr &name, Bytes &out, int round) {
  BYTE data[2048];
  DWORD size = sizeof data;
  DWORD type = 0;
  LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) fail("query", rc, round);
  if (type != REG_BINARY) fail("query type", long(type), round);
  out.assign(reinterpret_cast<char *>(data), size);
  return true;
}

int runContender(int id, int processes, int rounds) {
  std::mt19937 random(unsigned(id) * 7919u);
  HKEY shared = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, kShared.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shared,
                            nullptr);
  if (rc != ERROR_SUCCESS) fail("create shared", rc, -1);
  long calls = 1;
  for (int round = 0; round < rounds; ++round) {
    const Bytes mine = payload(id, round);
    rc = RegSetValueExW(shared, valueName(id, round).c_str(), 0, REG_BINARY,
                        reinterpret_cast<const BYTE *>(mine.data()), DWORD(mine.size()));
    if (rc != ERROR_SUCCESS) fail("set", rc, round);
    Bytes back;
    if (!readBinary(shared, valueName(id, round), back, round) || back != mine) fail("read own write", 0, round);
    calls += 2;

    // Another process's value: absent so far, or exactly its bytes.
    const int other = int(random() % unsigned(processes));
    const int otherRound = int(random() % unsigned(round + 1));
    Bytes theirs;
    if (readBinary(shared, valueName(other, otherRound), theirs, round) && theirs != payload(other, otherRound))
      fail("read other's value", 0, round);
    ++calls;

    // A private key made, given a value and removed again.
    const WStr own = W("Software\\ZelkContention\\own" + std::to_string(id) + "\\t" + std::to_string(round % 4));
    HKEY key = nullptr;
    rc = RegCreateKeyExW(HKEY_CURRENT_USER, own.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) fail("create own", rc, round);
    DWORD number = DWORD(round);
    rc = RegSetValueExW(key, u"n", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), 4);
    if (rc != ERROR_SUCCESS) fail("set own", rc, round);
    RegCloseKey(key);
    calls += 2;
    if (round % 2) {
      rc = RegDeleteKeyW(HKEY_CURRENT_USER, own.c_str());
      if (rc != ERROR_SUCCESS) fail("delete own", rc, round);
      ++calls;
    }

    if (round % 25 == 0) {
      std::map<std::string, Bytes> values;
      rc = readValues(shared, values);
      if (rc != ERROR_SUCCESS) fail("enumerate", rc, round);
      for (const auto &[name, typed] : values) {
        int p = -1, r = -1;
        if (std::sscanf(name.c_str(), "p%d_%d", &p, &r) != 2 || typed != "3:" + payload(p, r))
          fail("enumerated value", 0, round);
      }
      ++calls;
    }
    if (round % 50 == 49) {
      rc = RegFlushKey(HKEY_CURRENT_USER);
      if (rc != ERROR_SUCCESS) fail("flush", rc, round);
      ++calls;
    }
  }
  RegCloseKey(shared);
  std::printf("calls %ld\n", calls);
  return 0;
}

TEST(RegistryContentionTest, ProcessesSharingOneHiveNeverFailAndLoseNothing) {
  const int processes = envNumber("ZELK_HARDENING_CONTENTION_PROCESSES", 3);
  const int rounds = envNumber("ZELK_HARDENING_CONTENTION_OPS", 300);
  const TempDir scratch("zelk-contention");
  const std::string &dir = scratch.path();
  const auto started = std::chrono::steady_clock::now();
  std::vector<pid_t> children;
  for (int id = 0; id < processes; ++id) {
    children.push_back(spawnSelf({"--contend", std::to_string(id), std::to_string(processes), std::to_string(rounds)},
                                 dir, dir + "/out" + std::to_string(id)));
  }
  long calls = 0;
  for (int id = 0; id < processes; ++id) {
    const int status = waitFor(children[size_t(id)]);
    const std::string output = readFile(dir + "/out" + std::to_string(id));
    EXPECT_EQ(status, 0) << "process " << id << ": " << output;
    long n = 0;
    if (std::sscanf(output.c_str(), "calls %ld", &n) == 1) calls += n;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  ::setenv("ZELK_REGISTRY_DIR", dir.c_str(), 1);
  HKEY shared = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kShared.c_str(), 0, KEY_READ, &shared), ERROR_SUCCESS);
  std::map<std::string, Bytes> values;
  ASSERT_EQ(readValues(shared, values), ERROR_SUCCESS);
  RegCloseKey(shared);
  EXPECT_EQ(values.size(), size_t(processes) * size_t(rounds));
  int lost = 0;
  for (int id = 0; id < processes; ++id) {
    for (int round = 0; round < rounds; ++round) {
      const auto found = values.find("p" + std::to_string(id) + "_" + std::to_string(round));
      if (found == values.end() || found->second != "3:" + payload(id, round)) ++lost;
    }
  }
  EXPECT_EQ(lost, 0);
  std::printf("contention: %d processes x %d rounds, %ld calls in %.2f s (%.0f calls/s), lost %d\n", processes,
              rounds, calls, seconds, calls / seconds, lost);
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 5 && std::string(argv[1]) == "--contend")
    return runContender(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
