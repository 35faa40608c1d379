// Volatile keys: only volatile keys below them; seen by other processes for
// the rest of the boot; deleted, with their values and sub-keys but not the
// stable keys around them, by the first writer in a later boot, simulated by
// writing another boot into the hive (as a hive last opened before a restart
// holds).
#include "registry_process_support.h"

#include <sqlite3.h>

#include <cstring>

using namespace zelk_test;

namespace {

// Writes `boot` as the boot the hive's volatile keys belong to.
bool setHiveBoot(const std::string &hiveFile, const std::string &boot) {
  sqlite3 *db = nullptr;
  bool ok = sqlite3_open_v2(hiveFile.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  const std::string sql = "UPDATE meta SET v='" + boot + "' WHERE k='boot'";
  if (ok) ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK && sqlite3_changes(db) == 1;
  sqlite3_close_v2(db);
  return ok;
}

// The code of opening HKCU\<path> in a new process.
int openedByAnotherProcess(const WStr &path) {
  return runSelf("--open '" + std::string(path.begin(), path.end()) + "'").status;
}

using VolatileKeysTest = RegistryKeyTest;

TEST_F(VolatileKeysTest, LastUntilTheNextBootAndHoldOnlyVolatileKeys) {
  HKEY session = nullptr, window = nullptr, result = nullptr, kept = create(root_, W("Kept"));
  auto createIn = [&](HKEY parent, const char *name, DWORD options, HKEY *out, DWORD *disposition = nullptr) {
    return RegCreateKeyExW(parent, W(name).c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, out, disposition);
  };
  ASSERT_EQ(createIn(root_, "Session", REG_OPTION_VOLATILE, &session), ERROR_SUCCESS);
  ASSERT_EQ(setDword(session, W("pid"), 42), ERROR_SUCCESS);
  ASSERT_EQ(setDword(kept, W("stays"), 1), ERROR_SUCCESS);
  ASSERT_EQ(createIn(session, "Window", REG_OPTION_VOLATILE, &window), ERROR_SUCCESS);
  // Stable keys below it are refused, and a path of them creates nothing.
  for (const char *stable : {"Saved", "a\\b"}) {
    result = kept;
    EXPECT_EQ(createIn(session, stable, 0, &result), ERROR_CHILD_MUST_BE_VOLATILE) << stable;
    EXPECT_EQ(result, nullptr);
  }
  EXPECT_EQ(RegOpenKeyExW(session, W("a").c_str(), 0, KEY_READ, &result), ERROR_FILE_NOT_FOUND);

  // The same boot: another process sees them.
  EXPECT_EQ(openedByAnotherProcess(path_ + W("\\Session\\Window")), 0);

  // A later boot: the next process forgets them, and so does this one.
  ASSERT_TRUE(setHiveBoot(std::string(std::getenv("ZELK_REGISTRY_DIR")) + "/user.db", "an-earlier-boot"));
  EXPECT_EQ(openedByAnotherProcess(path_ + W("\\Session")), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(openedByAnotherProcess(path_ + W("\\Kept")), 0);
  EXPECT_EQ(RegQueryValueExW(session, W("pid").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyExW(root_, W("Session\\Window").c_str(), 0, KEY_READ, &result), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExW(kept, W("stays").c_str(), nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  // The name is free for a stable key now, which may have stable children.
  DWORD disposition = 0;
  ASSERT_EQ(createIn(root_, "Session\\Saved", 0, &result, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  for (HKEY key : {session, window, kept, result}) RegCloseKey(key);
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "--open") == 0) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, W(argv[2]).c_str(), 0, KEY_READ, &key);
    if (rc == ERROR_SUCCESS) RegCloseKey(key);
    return int(rc);
  }
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TemporaryRegistryEnvironment);
  return RUN_ALL_TESTS();
}
