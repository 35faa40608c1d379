// Helpers shared by the files of class Hive (see hive_sql.h), and the
// statements it prepares once per connection.
#include "hive_sql.h"

#include <atomic>
#include <chrono>
#include <pthread.h>

namespace zelk::registry {
namespace {

// Counts the forks this process came out of, so a connection can tell it
// was inherited without asking the kernel for the process id on every call.
// (glibc drops the handler when a module that registered it is unloaded.)
std::atomic<unsigned> forksSeen{0};

void noteFork() { forksSeen.fetch_add(1, std::memory_order_relaxed); }

} // namespace

int64_t nowFiletime() {
  using namespace std::chrono;
  auto ns = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
  return ns / 100 + 116444736000000000LL;
}

unsigned processLineage() {
  static const bool registered = (pthread_atfork(nullptr, nullptr, noteFork) == 0);
  (void)registered;
  return forksSeen.load(std::memory_order_relaxed);
}

sqlite3_stmt *Hive::prepare(const char *sql) {
  auto it = statements_.find(sql);
  if (it != statements_.end()) return it->second;
  sqlite3_stmt *s = nullptr;
  int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
  if (rc != SQLITE_OK) {
    // A database without our tables is not a hive.
    if ((rc & 0xff) == SQLITE_ERROR) fail(ERROR_BADDB);
    failSqlite(rc, db_);
  }
  statements_[sql] = s;
  return s;
}

void Hive::exec(const char *sql) {
  int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) failSqlite(rc, db_);
}

int Hive::runControl(const char *sql) {
  sqlite3_stmt *s = prepare(sql);
  int rc = sqlite3_step(s);
  sqlite3_reset(s);
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

} // namespace zelk::registry
