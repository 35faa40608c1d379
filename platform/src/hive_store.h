// One hive (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE) stored in an SQLite
// database: opening, validating and creating the file (hive_open.cpp),
// transactions of single calls (hive_calls.cpp) and of batches
// (hive_batch.cpp), and the primitive key and value operations the API
// functions are built from (hive_keys.cpp, hive_values.cpp).
#pragma once

#include "hive_locations.h"
#include "names.h"
#include "read_cache.h"
#include "snapshot_version.h"

#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace zelk::registry {

using KeyId = int64_t;
constexpr KeyId kRootKey = 1;

struct ValueRecord {
  WString name;
  DWORD type = REG_NONE;
  std::string data;
};

struct SubkeyRecord {
  WString name;
  WString className;
  int64_t mtime = 0; // FILETIME units
  std::string fold;  // the comparison form of the name (enumeration order)
};

struct KeyStats {
  DWORD subkeys = 0;
  DWORD maxSubkeyNameUnits = 0;
  DWORD maxClassUnits = 0;
  DWORD values = 0;
  DWORD maxValueNameUnits = 0;
  DWORD maxValueBytes = 0;
  WString className;
  int64_t mtime = 0;
};

class Hive {
public:
  explicit Hive(HiveId id);
  ~Hive();
  Hive(const Hive &) = delete;
  Hive &operator=(const Hive &) = delete;

  HiveId id() const { return id_; }
  // Whether this process may change the hive (decided once per process).
  bool writable();

  // A transaction around one API call; rolls back unless committed.
  // A reading call starts its SQLite transaction only when it needs one:
  // while the hive is in the state the read cache holds, the answers come
  // from the cache.  A call that has used the cache and then finds a newer
  // state in SQLite throws CallRestart (it starts over with the cache
  // emptied), so one call never mixes two states.
  class Txn {
  public:
    Txn(Hive &hive, bool write);
    ~Txn();
    void commit();
    bool writing() const { return write_; }

  private:
    Hive &hive_;
    bool write_;
  };

  bool keyExists(KeyId key);
  KeyId findChild(KeyId parent, const WString &name); // 0 when missing
  KeyId createChild(KeyId parent, const WString &name, const WString &className, bool isVolatile);
  // Whether `key` was created volatile (in a writing call only: the table of
  // volatile keys exists once a process that may write has opened the hive).
  bool isVolatile(KeyId key);
  bool hasChildren(KeyId key);
  // How many levels `key` lies below the hive's root, counting at most to
  // `limit` (a walk bounded whatever the hive holds).
  int depthOf(KeyId key, int limit);
  void deleteLeaf(KeyId key);
  void deleteTree(KeyId key);
  void touch(KeyId key);

  bool getValue(KeyId key, const WString &name, ValueRecord &out);
  // Sets a value. Setting the type and (non-empty) data it already has
  // changes nothing, not even the key's last write time, as in Windows'
  // own registry; returns whether anything was written.
  bool setValue(KeyId key, const WString &name, DWORD type, const void *data, size_t size);
  // Whether the read cache, without reading SQLite, knows that `key` is alive
  // in the hive's current state and that its value `name` already has this
  // type and non-empty data. False also when the cache cannot tell.
  bool cachedValueIs(KeyId key, const WString &name, DWORD type, const void *data, size_t size);
  bool deleteValue(KeyId key, const WString &name);

  bool subkeyAt(KeyId key, DWORD index, SubkeyRecord &out);
  // The first sub-key of `key` in enumeration order after the folded name
  // `after` (from the first one when `after` is null).
  bool subkeyAfter(KeyId key, const std::string *after, SubkeyRecord &out);
  // The folded names of the sub-keys of `key`, in enumeration order.
  std::vector<std::string> childFolds(KeyId key);
  // The committed state the hive is in, as the read cache knows states;
  // false when it cannot tell (no shared WAL-index, inside a batch).
  bool committedState(SnapshotVersion &out);
  bool valueAt(KeyId key, DWORD index, ValueRecord &out);
  KeyStats stats(KeyId key);

  // Makes every committed change durable (fsync); lazy otherwise.  Inside
  // a batch, the flush happens when the batch commits.
  void flush();

  // A batch: every call of the thread that began it, on this hive, joins
  // one write transaction, committed or rolled back as a whole (see
  // hive_batch.cpp).  Calls of other threads wait for it to end.
  void beginBatch();
  void commitBatch();
  void rollbackBatch();
  // Closes the connection at process exit (see Registry::instance).
  void closeAtExit();

private:
  class Stmt;
  void startReadingCall();
  void enterStatement(); // begins a deferred read transaction
  void endCall();
  // Sets the per-call state for a call that is (or is not) running inside
  // this process's batch.
  void resetCallState(bool inBatch);
  void ensureOpen(bool wantWrite);
  void openExisting();
  void connect(bool immutable);
  void startClock(bool immutable);
  // Volatile keys live until the system restarts: a writer opening the hive
  // in a boot other than the one its volatile keys belong to deletes them.
  void forgetVolatileKeysOfEarlierBoots();
  void createFile();
  void openPlaceholder();
  void closeDb();
  void exec(const char *sql);
  sqlite3_stmt *prepare(const char *sql);
  void beginRaw(bool write);
  int runControl(const char *sql); // BEGIN/COMMIT/ROLLBACK, prepared once
  void commitRaw();                // COMMIT, retried while the hive is busy
  // A call inside a batch that changes anything does so in a savepoint of
  // the batch's transaction (opened before its first changing statement),
  // so that a call that fails leaves nothing of itself behind.
  void enterBatchCall();
  void openCallSavepoint();
  void leaveBatchCall(bool keep);
  void requireBatchOwner();
  void closeBatch(); // forgets the batch; the transaction is already over

  HiveId id_;
  HiveLocation location_;
  int writable_ = -1;
  sqlite3 *db_ = nullptr;
  bool placeholder_ = false;
  unsigned owner_ = 0; // forks seen when db_ was opened (a forked child reopens)
  std::string immutableStamp_; // set while reading the file as immutable
  std::map<const char *, sqlite3_stmt *> statements_;

  // Read cache, valid for the state `clock_` reports; a new connection is a
  // new epoch, so nothing read through an earlier one is trusted.
  ReadCache cache_;
  SnapshotClock clock_;
  uint64_t epoch_ = 0;
  // The call in progress.
  bool txnOpen_ = false;
  bool deferredBegin_ = false;
  // The cache may answer this call, and what SQLite answers goes into it.
  bool cacheInCall_ = false;
  bool answeredFromCache_ = false;
  bool batchCall_ = false;     // the call runs inside a batch
  bool callSavepoint_ = false; // ... and has opened its savepoint

  struct Batch {
    bool open = false;
    std::thread::id owner;
    LONG lost = ERROR_SUCCESS; // set when SQLite ended the transaction itself
    bool flushAtCommit = false;
    KeyId highestCreatedKey = 0; // ids are never reused, even after a rollback
    // Keys this batch found alive and has not deleted since, and keys whose
    // last write time it has set: the batch's own answers, which the read
    // cache cannot give while the batch is open.
    std::unordered_set<KeyId> alive;
    std::unordered_set<KeyId> touched;
  };
  Batch batch_;
  // Leftovers of killed creations were looked for since the hive was opened.
  bool leftoversSwept_ = false;
};

} // namespace zelk::registry
