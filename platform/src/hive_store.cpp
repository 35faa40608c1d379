// SQLite storage of one hive.  Schema (format "zelk-registry", version 1):
//   meta(k TEXT PRIMARY KEY, v TEXT)
//   keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent, name, fold, class, mtime)
//        name: UTF-16LE bytes as given; fold: upper-cased UTF-16BE bytes, unique
//        per parent; id 1 is the hive root; ids are never reused, so a handle
//        to a deleted key stays deleted even when the name is created again.
//   vals(key, fold, name, seq, type, data) keyed by (key, fold); seq keeps the
//        insertion order that enumeration reports.
#include "hive_store.h"

#include "hive_files.h"
#include "reg_error.h"

#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zelk::registry {
namespace {

constexpr const char *kFormat = "zelk-registry";
constexpr int kBusyTimeoutMs = 5000;
constexpr int kBusyRetries = 120; // ten minutes of waiting before giving up

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

int64_t nowFiletime() {
  using namespace std::chrono;
  auto ns = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
  return ns / 100 + 116444736000000000LL;
}

const unsigned char kEmpty[1] = {0};

// Whether a stored value already is `type` with this non-empty data (a set of
// it would change nothing).
bool storedAs(DWORD storedType, const std::string &stored, DWORD type, const void *data, size_t size) {
  return size > 0 && storedType == type && stored.size() == size && std::memcmp(stored.data(), data, size) == 0;
}

// Counts the forks this process came out of, so a connection can tell it
// was inherited without asking the kernel for the process id on every call.
// (glibc drops the handler when a module that registered it is unloaded.)
std::atomic<unsigned> forksSeen{0};

void noteFork() { forksSeen.fetch_add(1, std::memory_order_relaxed); }

unsigned processLineage() {
  static const bool registered = (pthread_atfork(nullptr, nullptr, noteFork) == 0);
  (void)registered;
  return forksSeen.load(std::memory_order_relaxed);
}

[[noreturn]] void failSqlite(int rc, sqlite3 *db = nullptr) { fail(win32FromSqliteOn(db, rc)); }

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
    startClock(immutable);
  } catch (...) {
    closeDb();
    throw;
  }
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

int Hive::runControl(const char *sql) {
  sqlite3_stmt *s = prepare(sql);
  int rc = sqlite3_step(s);
  sqlite3_reset(s);
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

void Hive::beginRaw(bool write) {
  for (int attempt = 0;; ++attempt) {
    int rc = runControl(write ? "BEGIN IMMEDIATE" : "BEGIN");
    if (rc == SQLITE_OK) return;
    if ((rc & 0xff) != SQLITE_BUSY || attempt >= kBusyRetries) failSqlite(rc, db_);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

Hive::Txn::Txn(Hive &hive, bool write) : hive_(hive), write_(false) {
  hive_.ensureOpen(write);
  write_ = write && hive_.writable() && !hive_.placeholder_;
  if (hive_.batch_.open) {
    hive_.enterBatchCall();
  } else if (write_) {
    hive_.beginRaw(true);
    hive_.txnOpen_ = true;
  } else {
    hive_.startReadingCall();
  }
}

Hive::Txn::~Txn() {
  if (hive_.txnOpen_) {
    if (hive_.batch_.open) hive_.leaveBatchCall(false);
    else hive_.runControl("ROLLBACK");
  }
  hive_.endCall();
}

void Hive::Txn::commit() {
  if (hive_.txnOpen_) {
    if (hive_.batch_.open) hive_.leaveBatchCall(true);
    else hive_.commitRaw();
  }
  hive_.endCall();
}

void Hive::commitRaw() {
  for (int attempt = 0;; ++attempt) {
    int rc = runControl("COMMIT");
    if (rc == SQLITE_OK) return;
    if ((rc & 0xff) != SQLITE_BUSY || attempt >= kBusyRetries) failSqlite(rc, db_);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void Hive::startReadingCall() {
  deferredBegin_ = true;
  answeredFromCache_ = false;
  SnapshotVersion now;
  cacheInCall_ = clock_.read(now);
  if (cacheInCall_) cache_.follow(now);
}

void Hive::enterStatement() {
  if (!deferredBegin_) return;
  deferredBegin_ = false;
  beginRaw(false);
  txnOpen_ = true;
  if (!cacheInCall_) return;
  // Pin this transaction's snapshot, then see whether it is the state the
  // cache holds: no commit may have become visible since the call began.
  sqlite3_stmt *pin = prepare("SELECT 1 FROM meta LIMIT 1");
  int rc = sqlite3_step(pin);
  sqlite3_reset(pin);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) failSqlite(rc, db_);
  SnapshotVersion now;
  if (clock_.read(now) && now == cache_.version()) return;
  if (answeredFromCache_) {
    cache_.clear();
    throw CallRestart{};
  }
  cacheInCall_ = false;
}

void Hive::endCall() {
  txnOpen_ = false;
  batchCall_ = false;
  callSavepoint_ = false;
  deferredBegin_ = false;
  cacheInCall_ = false;
  answeredFromCache_ = false;
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

bool Hive::keyExists(KeyId key) {
  if (batch_.open && batch_.alive.count(key)) return true;
  if (cacheInCall_) {
    if (auto known = cache_.keyAlive(key)) {
      answeredFromCache_ = true;
      return *known;
    }
  }
  bool alive;
  {
    Stmt s(*this, "SELECT id FROM keys WHERE id=?1");
    alive = s.bind(1, key).step();
  }
  if (cacheInCall_) cache_.setKeyAlive(key, alive);
  if (batch_.open && alive) batch_.alive.insert(key);
  return alive;
}

KeyId Hive::findChild(KeyId parent, const WString &name) {
  std::string fold = foldName(name);
  if (cacheInCall_) {
    if (auto known = cache_.child(parent, fold)) {
      answeredFromCache_ = true;
      return *known;
    }
  }
  KeyId child;
  {
    Stmt s(*this, "SELECT id FROM keys WHERE parent=?1 AND fold=?2");
    s.bind(1, parent).bindBlob(2, fold);
    child = s.step() ? s.integer(0) : 0;
  }
  if (cacheInCall_) cache_.setChild(parent, fold, child);
  return child;
}

KeyId Hive::createChild(KeyId parent, const WString &name, const WString &className) {
  int64_t now = nowFiletime();
  {
    Stmt s(*this, "INSERT INTO keys(parent,name,fold,class,mtime) VALUES(?1,?2,?3,?4,?5)");
    s.bind(1, parent).bindBlob(2, encodeName(name)).bindBlob(3, foldName(name)).bind(5, now);
    if (!className.empty()) s.bindBlob(4, encodeName(className));
    s.step();
  }
  KeyId id = sqlite3_last_insert_rowid(db_);
  if (batch_.open && id > batch_.highestCreatedKey) batch_.highestCreatedKey = id;
  touch(parent);
  return id;
}

bool Hive::hasChildren(KeyId key) {
  Stmt s(*this, "SELECT 1 FROM keys WHERE parent=?1 LIMIT 1");
  return s.bind(1, key).step();
}

void Hive::deleteLeaf(KeyId key) {
  KeyId parent = 0;
  {
    Stmt p(*this, "SELECT parent FROM keys WHERE id=?1");
    if (p.bind(1, key).step()) parent = p.integer(0);
  }
  {
    Stmt s(*this, "DELETE FROM vals WHERE key=?1");
    s.bind(1, key).step();
  }
  {
    Stmt s(*this, "DELETE FROM keys WHERE id=?1");
    s.bind(1, key).step();
  }
  batch_.alive.erase(key);
  if (parent) touch(parent);
}

void Hive::deleteTree(KeyId key) {
  // SQLite walks the subtree breadth-first with a queue of its own, so no
  // depth of tree reaches our stack. The whole tree goes in one transaction.
  {
    Stmt s(*this, "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
                  " SELECT k.id FROM keys k JOIN tree ON k.parent=tree.id)"
                  " DELETE FROM vals WHERE key IN tree");
    s.bind(1, key).step();
  }
  {
    Stmt s(*this, "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
                  " SELECT k.id FROM keys k JOIN tree ON k.parent=tree.id)"
                  " DELETE FROM keys WHERE id IN tree AND id<>?1");
    s.bind(1, key).step();
  }
  // The batch's notes of keys found alive may name keys of the tree.
  batch_.alive.clear();
  deleteLeaf(key);
}

int Hive::depthOf(KeyId key, int limit) {
  Stmt s(*this, "WITH RECURSIVE up(id,n) AS (SELECT ?1,0 UNION ALL"
                " SELECT k.parent,up.n+1 FROM keys k JOIN up ON k.id=up.id WHERE up.id<>1 AND up.n<?2)"
                " SELECT MAX(n) FROM up");
  s.bind(1, key).bind(2, limit);
  return s.step() ? int(s.integer(0)) : 0;
}

void Hive::touch(KeyId key) {
  // Nothing of a batch is visible before its commit, so one last write time
  // per key and batch (its first change in the batch) is enough.
  if (batch_.open && !batch_.touched.insert(key).second) return;
  Stmt s(*this, "UPDATE keys SET mtime=?2 WHERE id=?1");
  s.bind(1, key).bind(2, nowFiletime()).step();
}

bool Hive::getValue(KeyId key, const WString &name, ValueRecord &out) {
  std::string fold = foldName(name);
  if (cacheInCall_) {
    if (auto known = cache_.value(key, fold)) {
      answeredFromCache_ = true;
      if (!*known) return false;
      out = **known;
      return true;
    }
  }
  bool found;
  {
    Stmt s(*this, "SELECT name,type,data FROM vals WHERE key=?1 AND fold=?2");
    s.bind(1, key).bindBlob(2, fold);
    found = s.step();
    if (found) {
      out.name = s.name(0);
      out.type = DWORD(s.integer(1));
      out.data = s.blob(2);
    }
  }
  if (cacheInCall_) cache_.setValue(key, fold, found ? &out : nullptr);
  return found;
}

bool Hive::setValue(KeyId key, const WString &name, DWORD type, const void *data, size_t size) {
  std::string fold = foldName(name);
  bool exists, same = false;
  {
    Stmt s(*this, "SELECT type,data FROM vals WHERE key=?1 AND fold=?2");
    exists = s.bind(1, key).bindBlob(2, fold).step();
    same = exists && storedAs(DWORD(s.integer(0)), s.blob(1), type, data, size);
  }
  if (same) return false;
  if (exists) {
    // Windows keeps the value's place and its name's original spelling.
    Stmt s(*this, "UPDATE vals SET type=?3, data=?4 WHERE key=?1 AND fold=?2");
    s.bind(1, key).bindBlob(2, fold).bind(3, type).bindBlob(4, data, size).step();
  } else {
    Stmt s(*this, "INSERT INTO vals(key,fold,name,seq,type,data) VALUES(?1,?2,?3,"
                  "(SELECT COALESCE(MAX(seq),0)+1 FROM vals WHERE key=?1),?4,?5)");
    s.bind(1, key).bindBlob(2, fold).bindBlob(3, encodeName(name)).bind(4, type);
    s.bindBlob(5, data, size).step();
  }
  touch(key);
  return true;
}

bool Hive::cachedValueIs(KeyId key, const WString &name, DWORD type, const void *data, size_t size) {
  // Inside a batch the cache knows the committed state, not the batch's own
  // changes, so it cannot tell.
  if (!db_ || owner_ != processLineage() || batch_.open) return false;
  SnapshotVersion now;
  if (!clock_.read(now) || !cache_.holds(now)) return false;
  if (key != kRootKey) {
    auto alive = cache_.keyAlive(key);
    if (!alive || !*alive) return false;
  }
  auto known = cache_.value(key, foldName(name));
  return known && *known && storedAs((*known)->type, (*known)->data, type, data, size);
}

bool Hive::deleteValue(KeyId key, const WString &name) {
  {
    Stmt s(*this, "DELETE FROM vals WHERE key=?1 AND fold=?2");
    s.bind(1, key).bindBlob(2, foldName(name)).step();
  }
  if (sqlite3_changes(db_) == 0) return false;
  touch(key);
  return true;
}

bool Hive::subkeyAt(KeyId key, DWORD index, SubkeyRecord &out) {
  Stmt s(*this, "SELECT name,class,mtime FROM keys WHERE parent=?1 ORDER BY fold LIMIT 1 OFFSET ?2");
  s.bind(1, key).bind(2, index);
  if (!s.step()) return false;
  out.name = s.name(0);
  out.className = s.name(1);
  out.mtime = s.integer(2);
  return true;
}

bool Hive::valueAt(KeyId key, DWORD index, ValueRecord &out) {
  Stmt s(*this, "SELECT name,type,data FROM vals WHERE key=?1 ORDER BY seq LIMIT 1 OFFSET ?2");
  s.bind(1, key).bind(2, index);
  if (!s.step()) return false;
  out.name = s.name(0);
  out.type = DWORD(s.integer(1));
  out.data = s.blob(2);
  return true;
}

KeyStats Hive::stats(KeyId key) {
  KeyStats st;
  {
    Stmt s(*this, "SELECT class,mtime FROM keys WHERE id=?1");
    if (s.bind(1, key).step()) {
      st.className = s.name(0);
      st.mtime = s.integer(1);
    }
  }
  {
    Stmt s(*this, "SELECT COUNT(*),COALESCE(MAX(length(name)),0),COALESCE(MAX(length(class)),0)"
                  " FROM keys WHERE parent=?1");
    if (s.bind(1, key).step()) {
      st.subkeys = DWORD(s.integer(0));
      st.maxSubkeyNameUnits = DWORD(s.integer(1) / 2);
      st.maxClassUnits = DWORD(s.integer(2) / 2);
    }
  }
  {
    Stmt s(*this, "SELECT COUNT(*),COALESCE(MAX(length(name)),0),COALESCE(MAX(length(data)),0)"
                  " FROM vals WHERE key=?1");
    if (s.bind(1, key).step()) {
      st.values = DWORD(s.integer(0));
      st.maxValueNameUnits = DWORD(s.integer(1) / 2);
      st.maxValueBytes = DWORD(s.integer(2));
    }
  }
  return st;
}

void Hive::flush() {
  ensureOpen(false);
  if (placeholder_ || !writable()) return;
  if (batch_.open) {
    requireBatchOwner();
    batch_.flushAtCommit = true;
    return;
  }
  // A commit with synchronous=FULL fsyncs the WAL, and with it every
  // change committed before it.
  exec("PRAGMA synchronous=FULL");
  try {
    Txn txn(*this, true);
    {
      Stmt s(*this, "INSERT OR REPLACE INTO meta(k,v) VALUES('flushed',?1)");
      s.bind(1, nowFiletime()).step();
    }
    txn.commit();
  } catch (...) {
    exec("PRAGMA synchronous=NORMAL");
    throw;
  }
  exec("PRAGMA synchronous=NORMAL");
  // Fold the WAL into the database file where no reader prevents it.
  sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

} // namespace zelk::registry
