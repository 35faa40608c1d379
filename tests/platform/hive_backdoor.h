// Writes into a hive file directly through SQLite, behind the registry
// API's back, as a hand-edited or hostile hive would: for trees deeper than
// the API lets anyone create.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace zelk_test {

// Hangs a chain of `levels` keys, each named "d", below the key whose stored
// name is `parentName` (ASCII; it must be unique in the hive), and gives the
// innermost key a REG_DWORD value "v" = 1. Returns false on any SQLite error.
inline bool appendKeyChain(const std::string &hiveFile, const std::string &parentName, int levels) {
  sqlite3 *db = nullptr;
  bool ok = sqlite3_open_v2(hiveFile.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  if (ok) sqlite3_busy_timeout(db, 5000);
  std::string hexName;
  for (char c : parentName) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x00", static_cast<unsigned char>(c));
    hexName += buf;
  }
  const std::string sql =
      "BEGIN IMMEDIATE;"
      "CREATE TEMP TABLE chain AS SELECT (SELECT MAX(id) FROM keys) AS base,"
      " (SELECT id FROM keys WHERE name=x'" + hexName + "') AS top;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" + std::to_string(levels) + ")"
      " INSERT INTO keys(id,parent,name,fold,class,mtime)"
      " SELECT base+i, CASE i WHEN 1 THEN top ELSE base+i-1 END, x'6400', x'0044', NULL, 0 FROM n, chain;"
      "INSERT INTO vals(key,fold,name,seq,type,data)"
      " SELECT base+" + std::to_string(levels) + ", x'0056', x'7600', 1, 4, x'01000000' FROM chain;"
      "DROP TABLE chain;"
      "COMMIT;";
  if (ok) ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close_v2(db);
  return ok;
}

// Number of keys in the hive file (to tell that a deleted tree left nothing).
inline int64_t countKeys(const std::string &hiveFile) {
  sqlite3 *db = nullptr;
  int64_t count = -1;
  if (sqlite3_open_v2(hiveFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM keys", -1, &s, nullptr) == SQLITE_OK &&
        sqlite3_step(s) == SQLITE_ROW) {
      count = sqlite3_column_int64(s, 0);
    }
    sqlite3_finalize(s);
  }
  sqlite3_close_v2(db);
  return count;
}

} // namespace zelk_test
