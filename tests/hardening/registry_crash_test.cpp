// Crash safety of the registry stand-in. A writer process runs a loop of
// RegCreateKeyExW / RegSetValueExW / RegDeleteKeyW / RegFlushKey and logs each
// call before it starts and after it returns; it is killed with SIGKILL at a
// random moment, many times over. After every kill a fresh process opens the
// hive and dumps it, and the test checks:
// - the hive opens and SQLite's integrity check passes;
// - every call that returned success before the kill is there (the dump
//   equals the log's calls applied in order), and nothing else changed;
// - the one call cut short is either wholly there or wholly absent: each
//   value holds its old bytes or its new bytes, never a mixture;
// - the temporary files of a hive creation cut short ("user.db.new-...") do
//   not outlive the next process that opens the hive.
// ZELK_HARDENING_CRASH_ROUNDS sets the number of kills (CI: 60).
#include "hardening_support.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <random>
#include <sstream>
#include <thread>

using namespace hardening;

namespace {

const WStr kBase = W("Software\\ZelkCrash");
const int kKeys = 6;
const int kValues = 5;

std::string keyName(int k) { return "k" + std::to_string(k); }

// Names in `dir` that start with `prefix`.
std::vector<std::string> entriesStartingWith(const std::string &dir, const std::string &prefix) {
  std::vector<std::string> names;
  if (DIR *d = ::opendir(dir.c_str())) {
    while (const dirent *e = ::readdir(d)) {
      if (std::string(e->d_name).compare(0, prefix.size(), prefix) == 0) names.push_back(e->d_name);
    }
    ::closedir(d);
  }
  return names;
}
std::string valueName(int v) { return "v" + std::to_string(v); }

// The bytes a set call writes: unique to its generation, of `size` bytes.
Bytes payload(unsigned long long generation, unsigned size) {
  Bytes data(size, '\0');
  for (unsigned i = 0; i < size; ++i) data[i] = char((generation * 131 + i * 7 + (i >> 8)) & 0xFF);
  for (unsigned i = 0; i < 8 && i < size; ++i) data[i] = char((generation >> (8 * i)) & 0xFF);
  return data;
}

// ---- the writer (child) ----------------------------------------------------

void logLine(int fd, const std::string &line) {
  std::string text = line + "\n";
  if (::write(fd, text.data(), text.size()) != ssize_t(text.size())) std::_Exit(3);
}

int runWriter(const std::string &logPath, unsigned long long seed) {
  int fd = ::open(logPath.c_str(), O_WRONLY | O_APPEND);
  if (fd < 0) return 2;
  std::mt19937_64 random(seed);
  for (unsigned long long n = 0;; ++n) {
    const unsigned op = unsigned(random() % 20);
    const int k = int(random() % kKeys);
    const WStr path = kBase + W("\\" + keyName(k));
    if (op < 13) { // create the key and set one value
      const int v = int(random() % kValues);
      const unsigned long long generation = seed * 100000000ull + n;
      const unsigned size = random() % 8 == 0 ? 4000 + unsigned(random() % 8000) : 1 + unsigned(random() % 600);
      logLine(fd, "B create " + std::to_string(k));
      HKEY key = nullptr;
      LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr);
      logLine(fd, "E " + std::to_string(rc));
      if (rc != ERROR_SUCCESS) continue;
      const Bytes data = payload(generation, size);
      logLine(fd, "B set " + std::to_string(k) + " " + std::to_string(v) + " " + std::to_string(generation) + " " +
                      std::to_string(size));
      rc = RegSetValueExW(key, W(valueName(v)).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE *>(data.data()),
                          DWORD(size));
      logLine(fd, "E " + std::to_string(rc));
      RegCloseKey(key);
    } else if (op < 15) {
      logLine(fd, "B create " + std::to_string(k));
      HKEY key = nullptr;
      LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr);
      logLine(fd, "E " + std::to_string(rc));
      if (rc == ERROR_SUCCESS) RegCloseKey(key);
    } else if (op < 19) {
      logLine(fd, "B delete " + std::to_string(k));
      LONG rc = RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
      logLine(fd, "E " + std::to_string(rc));
    } else {
      logLine(fd, "B flush 0");
      LONG rc = RegFlushKey(HKEY_CURRENT_USER);
      logLine(fd, "E " + std::to_string(rc));
    }
  }
}

// ---- the dump (child) --------------------------------------------------------

std::string hex(const Bytes &bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

Bytes unhex(const std::string &text) {
  Bytes out;
  for (size_t i = 0; i + 1 < text.size(); i += 2) out.push_back(char(std::stoi(text.substr(i, 2), nullptr, 16)));
  return out;
}

int runDump() {
  Tree tree = readTree(HKEY_CURRENT_USER, kBase);
  if (tree.status != ERROR_SUCCESS) {
    std::printf("error %ld\n", long(tree.status));
    return 1;
  }
  for (const auto &[key, values] : tree.keys) {
    std::printf("K %s\n", key.c_str());
    for (const auto &[name, bytes] : values) std::printf("V %s %s %s\n", key.c_str(), name.c_str(), hex(bytes).c_str());
  }
  return 0;
}

// ---- the checks (parent) -----------------------------------------------------

using Model = std::map<std::string, std::map<std::string, Bytes>>;

struct Call {
  std::string op;
  int key = 0, value = 0;
  unsigned long long generation = 0;
  unsigned size = 0;
  bool returned = false;
  long rc = 0;
};

std::vector<Call> parseLog(const std::string &text) {
  std::vector<Call> calls;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (lines.eof()) break; // a line cut short by the kill is not complete
    std::istringstream words(line);
    std::string tag;
    words >> tag;
    if (tag == "B") {
      Call call;
      words >> call.op >> call.key;
      if (call.op == "set") words >> call.value >> call.generation >> call.size;
      calls.push_back(call);
    } else if (tag == "E" && !calls.empty()) {
      calls.back().returned = true;
      words >> calls.back().rc;
    }
  }
  return calls;
}

// Applies one call that succeeded.
void apply(Model &model, const Call &call) {
  const std::string key = keyName(call.key);
  if (call.op == "create") model[key];
  else if (call.op == "set") model[key][valueName(call.value)] = "3:" + payload(call.generation, call.size);
  else if (call.op == "delete") model.erase(key);
}

Model parseDump(const std::string &text, bool &ok) {
  Model model;
  std::istringstream lines(text);
  std::string line;
  ok = true;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string tag, key, name, data;
    words >> tag >> key;
    if (tag == "K") model[key];
    else if (tag == "V" && (words >> name >> data)) model[key][name] = unhex(data);
    else ok = false;
  }
  return model;
}

std::string integrityCheck(const std::string &file) {
  sqlite3 *db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK) {
      result.clear();
      while (sqlite3_step(statement) == SQLITE_ROW)
        result += reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return result;
}

int roundsWanted() {
  const char *text = std::getenv("ZELK_HARDENING_CRASH_ROUNDS");
  return text && std::atoi(text) > 0 ? std::atoi(text) : 60;
}

TEST(RegistryCrashTest, KilledWriterLeavesEveryReturnedCallAndNoTornValue) {
  const TempDir scratch("zelk-crash");
  const std::string &dir = scratch.path();
  const std::string logPath = dir + "/calls.log";
  const std::string dumpPath = dir + "/dump.txt";
  const int rounds = roundsWanted();
  std::mt19937 random(12345);
  Model model;
  long returnedCalls = 0, cutShortApplied = 0, cutShortAbsent = 0;
  const auto started = std::chrono::steady_clock::now();

  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    writeFile(logPath, "");
    // Mostly short lives; now and then one long enough for checkpoints.
    const int lifeMs = round % 10 == 9 ? 100 + int(random() % 200) : int(random() % 40);
    pid_t writer = spawnSelf({"--crash-writer", logPath, std::to_string(round + 1)}, dir);
    std::this_thread::sleep_for(std::chrono::milliseconds(lifeMs));
    ::kill(writer, SIGKILL);
    ASSERT_EQ(waitFor(writer), 128 + SIGKILL) << "the writer stopped by itself";

    const std::vector<Call> calls = parseLog(readFile(logPath));
    const Call *cutShort = nullptr;
    for (const Call &call : calls) {
      if (!call.returned) {
        cutShort = &call;
        break;
      }
      ++returnedCalls;
      if (call.op == "delete") {
        const bool existed = model.count(keyName(call.key)) != 0;
        ASSERT_EQ(call.rc, existed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND) << "delete " << call.key;
      } else {
        ASSERT_EQ(call.rc, ERROR_SUCCESS) << call.op << " " << call.key;
      }
      if (call.rc == ERROR_SUCCESS) apply(model, call);
    }

    pid_t dumper = spawnSelf({"--dump"}, dir, dumpPath);
    ASSERT_EQ(waitFor(dumper), 0) << "the hive did not open after the kill: " << readFile(dumpPath);
    // A writer killed before its first write leaves no hive: the stand-in
    // creates the file at the first write only.
    struct stat hive;
    if (::stat((dir + "/user.db").c_str(), &hive) == 0) {
      ASSERT_EQ(integrityCheck(dir + "/user.db"), "ok");
      const std::vector<std::string> leftovers = entriesStartingWith(dir, "user.db.new-");
      EXPECT_TRUE(leftovers.empty()) << "a killed creation's files outlived the dump: " << leftovers.front();
    } else {
      ASSERT_TRUE(model.empty()) << "calls returned but no hive file exists";
    }
    bool parsed = false;
    const Model found = parseDump(readFile(dumpPath), parsed);
    ASSERT_TRUE(parsed) << readFile(dumpPath);

    if (found == model) {
      if (cutShort && cutShort->op != "flush") ++cutShortAbsent;
      continue;
    }
    ASSERT_NE(cutShort, nullptr) << "the hive lost or changed a call that had returned";
    Model withCutShort = model;
    apply(withCutShort, *cutShort);
    ASSERT_TRUE(found == withCutShort) << "the interrupted " << cutShort->op << " of key " << cutShort->key
                                       << " left the hive in neither its old nor its new state";
    ++cutShortApplied;
    model = withCutShort;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("crash rounds %d, returned calls checked %ld, interrupted calls found applied %ld / absent %ld, "
              "%.1f s\n",
              rounds, returnedCalls, cutShortApplied, cutShortAbsent, seconds);
  RecordProperty("rounds", rounds);
  RecordProperty("returned_calls", int(returnedCalls));
  EXPECT_GT(returnedCalls, rounds); // the writer did get work done between kills
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 4 && std::string(argv[1]) == "--crash-writer") return runWriter(argv[2], std::stoull(argv[3]));
  if (argc == 2 && std::string(argv[1]) == "--dump") return runDump();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
