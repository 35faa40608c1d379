// What the files of class Hive share: SQLite results as registry failures,
// the time stamps of last writes, the process lineage that tells a forked
// child from its parent, and the prepared statements of a call (Hive::Stmt).
#pragma once

#include "hive_files.h"
#include "hive_store.h"
#include "reg_error.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace zelk::registry {

// Fails the call with the Win32 code of SQLite result `rc`; given the
// connection, a write that failed on a full disk is ERROR_DISK_FULL.
[[noreturn]] inline void failSqlite(int rc, sqlite3 *db = nullptr) { fail(win32FromSqliteOn(db, rc)); }

// The current time in FILETIME units (last write times of keys).
int64_t nowFiletime();

// How many forks this process came out of: a connection opened under another
// count was inherited through fork() and must not be used.
unsigned processLineage();

// A prepared statement in use: binds, steps, and resets when done.
class Hive::Stmt {
public:
  Stmt(Hive &hive, const char *sql) : s_((hive.enterStatement(), hive.prepare(sql))) {
    if (hive.batchCall_ && !hive.callSavepoint_ && !sqlite3_stmt_readonly(s_)) hive.openCallSavepoint();
  }
  ~Stmt() {
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
  }
  Stmt &bind(int i, int64_t v) {
    check(sqlite3_bind_int64(s_, i, v));
    return *this;
  }
  Stmt &bindBlob(int i, const void *p, size_t n) {
    static const unsigned char kEmpty[1] = {0};
    check(sqlite3_bind_blob64(s_, i, n ? p : kEmpty, n, SQLITE_TRANSIENT));
    return *this;
  }
  Stmt &bindBlob(int i, const std::string &b) { return bindBlob(i, b.data(), b.size()); }
  bool step() {
    int rc = sqlite3_step(s_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    failSqlite(rc, sqlite3_db_handle(s_));
  }
  int64_t integer(int col) { return sqlite3_column_int64(s_, col); }
  std::string blob(int col) {
    const void *p = sqlite3_column_blob(s_, col);
    int n = sqlite3_column_bytes(s_, col);
    return p && n > 0 ? std::string(static_cast<const char *>(p), size_t(n)) : std::string();
  }
  WString name(int col) {
    std::string b = blob(col);
    return decodeName(b.data(), b.size());
  }
  bool isNull(int col) { return sqlite3_column_type(s_, col) == SQLITE_NULL; }

private:
  void check(int rc) {
    if (rc != SQLITE_OK) failSqlite(rc, sqlite3_db_handle(s_));
  }
  sqlite3_stmt *s_;
};

} // namespace zelk::registry
