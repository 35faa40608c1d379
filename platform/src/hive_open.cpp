// Opening, checking and creating the SQLite file of a hive, and the
// placeholder that answers while there is none.
// Schema (format "zelk-registry", version 1):
//   meta(k TEXT PRIMARY KEY, v TEXT)
//   keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent, name, fold, class, mtime)
//        name: UTF-16LE bytes as given; fold: upper-cased UTF-16BE bytes, unique
//        per parent; id 1 is the hive root; ids are never reused, so a handle
//        to a deleted key stays deleted even when the name is created again.
//   vals(key, fold, name, seq, type, data) keyed by (key, fold); seq keeps the
//        insertion order that enumeration reports.
#include "hive_sql.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zelk::registry {
namespace {

constexpr const char *kFormat = "zelk-registry";
constexpr int kBusyTimeoutMs = 5000;

const char *const kSchema =
    "CREATE TABLE meta(k TEXT PRIMARY KEY, v TEXT);"
    "INSERT INTO meta VALUES('format','zelk-registry'),('version','1');"
    "CREATE TABLE keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL,"
    " name BLOB NOT NULL, fold BLOB NOT NULL, class BLOB, mtime INTEGER NOT NULL,"
    " UNIQUE(parent, fold));"
    "CREATE TABLE vals(key INTEGER NOT NULL, fold BLOB NOT NULL, name BLOB NOT NULL,"
    " seq INTEGER NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,"
    " PRIMARY KEY(key, fold)) WITHOUT ROWID;"
    "CREATE INDEX vals_order ON vals(key, seq);";


// "file:" URI of a path, for opening with URI parameters.
std::string fileUri(const std::string &path) {
  std::string uri = "file:";
  for (char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned char>(c));
      uri += buf;
    } else {
      uri.push_back(c);
    }
  }
  return uri;
}

// Identity and version of a file, to notice when it changes.
std::string fileStamp(const std::string &path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return {};
  return std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" + std::to_string(st.st_mtim.tv_sec) +
         "." + std::to_string(st.st_mtim.tv_nsec);
}

} // namespace

Hive::Hive(HiveId id) : id_(id), location_(locateHive(id)) {}

Hive::~Hive() { closeDb(); }

bool Hive::writable() {
  if (writable_ < 0) writable_ = mayWriteHive(location_) ? 1 : 0;
  return writable_ == 1;
}

void Hive::closeDb() {
  batch_ = Batch{}; // closing the connection rolls an open batch back
  cache_.clear();
  clock_.detach();
  for (auto &entry : statements_) sqlite3_finalize(entry.second);
  statements_.clear();
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  placeholder_ = false;
  immutableStamp_.clear();
}

void Hive::ensureOpen(bool wantWrite) {
  if (db_ && owner_ != processLineage()) {
    // A connection must not cross fork(): the child abandons the parent's
    // (without closing it, which would disturb the parent's locks).
    db_ = nullptr;
    statements_.clear();
    placeholder_ = false;
    immutableStamp_.clear();
    cache_.clear();
    clock_.detach();
    batch_ = Batch{}; // the parent's transaction is not the child's
  }
  if (db_ && !immutableStamp_.empty() &&
      (fileStamp(location_.file) != immutableStamp_ || fileExists(location_.file + "-wal"))) {
    closeDb(); // an immutable snapshot whose file changed: read it again
  }
  if (db_ && !placeholder_) return;
  if (fileExists(location_.file)) {
    closeDb();
    openExisting();
    if (!leftoversSwept_ && writable()) {
      leftoversSwept_ = true;
      removeCreationLeftovers(location_);
    }
    return;
  }
  if (wantWrite && writable()) {
    closeDb();
    createFile();
    openExisting();
    return;
  }
  if (!db_) openPlaceholder();
}

void Hive::openExisting() {
  // Check the header ourselves first: SQLite must never get the chance to
  // initialise (and so overwrite) a file that is not one of our databases.
  char header[100];
  if (LONG rc = readHiveHeader(location_.file, header, sizeof header)) fail(rc);
  if (std::memcmp(header, "SQLite format 3", 16) != 0) fail(ERROR_BADDB);
  bool walPresent = fileExists(location_.file + "-wal");
  if (!writable() && !walPresent) {
    // A hive this process may not write is read as an immutable snapshot
    // whenever its file holds everything: SQLite would otherwise create
    // -wal and -shm files beside a foreign hive in a folder we may write.
    connect(true);
    return;
  }
  try {
    connect(false);
  } catch (const RegFailure &f) {
    // A reader that may not create the -shm file (say, a user reading a
    // root-owned machine hive whose writer has exited) cannot use WAL
    // locking.  With no -wal file the database file holds everything, so it
    // is read as immutable, and reopened whenever it changes.
    if (writable() || walPresent || (f.code != ERROR_ACCESS_DENIED && f.code != ERROR_BADDB)) throw;
    connect(true);
  }
}

void Hive::connect(bool immutable) {
  int flags = (writable() ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
  std::string name = location_.file;
  if (immutable) {
    flags |= SQLITE_OPEN_URI;
    name = fileUri(location_.file) + "?immutable=1";
  }
  sqlite3 *db = nullptr;
  int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(db);
    fail(ERROR_BADDB);
  }
  db_ = db;
  owner_ = processLineage();
  placeholder_ = false;
  immutableStamp_ = immutable ? fileStamp(location_.file) : std::string();
  try {
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    exec("PRAGMA synchronous=NORMAL");
    exec("PRAGMA journal_size_limit=1048576");
    exec("PRAGMA wal_autocheckpoint=4000");
    {
      Stmt format(*this, "SELECT v FROM meta WHERE k='format'");
      if (!format.step() || format.blob(0) != kFormat) fail(ERROR_BADDB);
    }
    {
      Stmt check(*this, "PRAGMA quick_check(1)");
      if (!check.step() || check.blob(0) != "ok") fail(ERROR_REGISTRY_CORRUPT);
    }
    // The tables must all be there.
    prepare("SELECT id FROM keys WHERE id=?1");
    prepare("SELECT seq FROM vals WHERE key=?1 AND fold=?2");
    if (!immutable && writable()) forgetVolatileKeysOfEarlierBoots();
    startClock(immutable);
    // The check read every page; the calls read a few of them again.
    sqlite3_db_release_memory(db_);
  } catch (...) {
    closeDb();
    throw;
  }
}

void Hive::startClock(bool immutable) {
  // An immutable snapshot changes only by being reopened.
  if (immutable) {
    clock_.attachStatic(++epoch_);
    return;
  }
  bool wal = false;
  {
    Stmt mode(*this, "PRAGMA journal_mode");
    wal = mode.step() && mode.blob(0) == "wal";
  }
  // Without a shared WAL-index the cache stays off and every call reads SQLite.
  if (wal) clock_.attachWal(db_, ++epoch_);
}

void Hive::forgetVolatileKeysOfEarlierBoots() {
  // The table of volatile keys and the boot they belong to are additions an
  // older build ignores: it reads such a hive as before (and would show
  // volatile keys as ordinary ones).
  const std::string boot = currentBootId(); // empty: no way to tell, keep them
  auto upToDate = [&] {
    Stmt table(*this, "SELECT 1 FROM sqlite_master WHERE type='table' AND name='volatile_keys'");
    if (!table.step()) return false;
    Stmt recorded(*this, "SELECT v FROM meta WHERE k='boot'");
    return boot.empty() || (recorded.step() && recorded.blob(0) == boot);
  };
  if (upToDate()) return;
  beginRaw(true);
  try {
    // Another writer may have done it while this one waited for the lock.
    if (!upToDate()) {
      exec("CREATE TABLE IF NOT EXISTS volatile_keys(key INTEGER PRIMARY KEY)");
      if (!boot.empty()) {
        // Every key below a volatile key is volatile too.
        exec("WITH RECURSIVE tree(id) AS (SELECT key FROM volatile_keys UNION"
             " SELECT k.id FROM keys k JOIN tree ON k.parent=tree.id)"
             " DELETE FROM vals WHERE key IN tree;"
             "WITH RECURSIVE tree(id) AS (SELECT key FROM volatile_keys UNION"
             " SELECT k.id FROM keys k JOIN tree ON k.parent=tree.id)"
             " DELETE FROM keys WHERE id IN tree;"
             "DELETE FROM volatile_keys;");
        Stmt record(*this, "INSERT OR REPLACE INTO meta(k,v) VALUES('boot',?1)");
        record.bindBlob(1, boot).step();
      }
    }
  } catch (...) {
    runControl("ROLLBACK");
    throw;
  }
  commitRaw();
}

void Hive::closeAtExit() {
  // Closing the last connection checkpoints the WAL and removes the -wal
  // and -shm files, so that the next reader finds one self-contained file.
  if (db_ && owner_ == processLineage()) closeDb();
}

void Hive::createFile() {
  if (!makePrivateDirectories(location_.directory)) fail(diskFullErrno(errno) ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED);
  removeCreationLeftovers(location_);
  leftoversSwept_ = true;
  std::random_device rd;
  std::string tmp = creationName(location_, rd());
  int fd = ::open(tmp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (diskFullErrno(errno)) fail(ERROR_DISK_FULL);
    fail(errno == EACCES || errno == EROFS ? ERROR_ACCESS_DENIED : ERROR_CANTWRITE);
  }
  ::close(fd);
  sqlite3 *db = nullptr;
  int rc = sqlite3_open_v2(tmp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    std::string sql = std::string("BEGIN;") + kSchema +
                      "INSERT INTO keys(id,parent,name,fold,class,mtime) VALUES(1,0,x'',x'',NULL," +
                      std::to_string(nowFiletime()) + ");COMMIT;";
    rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  LONG code = rc == SQLITE_OK ? ERROR_SUCCESS : win32FromSqliteOn(db, rc);
  sqlite3_close_v2(db);
  if (code != ERROR_SUCCESS) {
    ::unlink(tmp.c_str());
    for (const char *companion : {"-wal", "-shm", "-journal"}) ::unlink((tmp + companion).c_str());
    fail(code);
  }
  // Publish atomically; if another process was first, its file wins.
  if (::link(tmp.c_str(), location_.file.c_str()) != 0 && errno != EEXIST) {
    if (!fileExists(location_.file)) ::rename(tmp.c_str(), location_.file.c_str());
  }
  ::unlink(tmp.c_str());
  ::unlink((tmp + "-wal").c_str());
  ::unlink((tmp + "-shm").c_str());
}

void Hive::openPlaceholder() {
  // The hive file does not exist (and is not being written): an empty,
  // in-memory hive answers until the file appears.
  sqlite3 *db = nullptr;
  int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(db);
    failSqlite(rc);
  }
  db_ = db;
  owner_ = processLineage();
  std::string sql = std::string(kSchema) +
                    "INSERT INTO keys(id,parent,name,fold,class,mtime) VALUES(1,0,x'',x'',NULL,0);";
  try {
    exec(sql.c_str());
  } catch (...) {
    closeDb();
    throw;
  }
  placeholder_ = true;
  clock_.attachStatic(++epoch_);
}

} // namespace zelk::registry
