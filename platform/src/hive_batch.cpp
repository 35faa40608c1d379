// Batches: several API calls on one hive committed as one SQLite write
// transaction.
//
// beginBatch takes the hive's write lock (BEGIN IMMEDIATE, waiting while
// another process writes, as every write does) and keeps the transaction
// open across calls.  While it is open:
// - each call of the owning thread on this hive joins that transaction; a
//   call that changes anything does so in a savepoint, opened before its
//   first changing statement: a call that succeeds keeps its changes, a call
//   that fails leaves nothing of itself behind;
// - the read cache neither answers nor learns: it holds the committed state,
//   and the batch's own changes are visible only through SQLite (reads see
//   the batch's writes); the batch notes only which keys it found alive and
//   which keys' last write time it has set;
// - calls of other threads wait until the batch ends;
// - other processes see nothing of it, and their writers wait (busy timeout).
// commitBatch makes every change visible at once (the commit rewrites the
// WAL-index header, which empties every process's read cache);
// rollbackBatch, or the process ending without a commit, leaves the hive as
// it was before beginBatch.
#include "hive_sql.h"

namespace zelk::registry {

void Hive::requireBatchOwner() {
  if (batch_.owner != std::this_thread::get_id()) throw BatchWait{};
}

void Hive::beginBatch() {
  ensureOpen(true); // (in a forked child this also forgets the parent's batch)
  if (batch_.open) {
    requireBatchOwner();
    fail(ERROR_INVALID_FUNCTION); // batches do not nest
  }
  if (placeholder_ || !writable()) fail(ERROR_ACCESS_DENIED);
  beginRaw(true);
  batch_ = Batch{};
  batch_.open = true;
  batch_.owner = std::this_thread::get_id();
}

void Hive::enterBatchCall() {
  requireBatchOwner();
  if (batch_.lost == ERROR_SUCCESS && sqlite3_get_autocommit(db_)) {
    // SQLite rolled the transaction back by itself (an I/O error, a full
    // disk): later calls must not write outside the batch.
    batch_.lost = ERROR_REGISTRY_IO_FAILED;
  }
  if (batch_.lost != ERROR_SUCCESS) fail(batch_.lost);
  resetCallState(true);
}

void Hive::openCallSavepoint() {
  int rc = runControl("SAVEPOINT zelk_call");
  if (rc != SQLITE_OK) failSqlite(rc, db_);
  callSavepoint_ = true;
}

void Hive::leaveBatchCall(bool keep) {
  txnOpen_ = false;
  batchCall_ = false;
  if (!keep && batch_.lost == ERROR_SUCCESS && sqlite3_get_autocommit(db_)) {
    // The call's error made SQLite abandon the whole transaction (a full
    // disk, an I/O error): the batch ends with that error.
    int rc = sqlite3_extended_errcode(db_);
    batch_.lost = rc == SQLITE_OK ? ERROR_REGISTRY_IO_FAILED : win32FromSqliteOn(db_, rc);
  }
  if (!callSavepoint_) return; // the call changed nothing
  callSavepoint_ = false;
  if (!keep) {
    // What the call did is undone, its notes with it.
    batch_.alive.clear();
    batch_.touched.clear();
  }
  int rc = keep ? SQLITE_OK : runControl("ROLLBACK TO zelk_call");
  if (rc == SQLITE_OK) rc = runControl("RELEASE zelk_call");
  if (rc != SQLITE_OK && batch_.lost == ERROR_SUCCESS) batch_.lost = win32FromSqliteOn(db_, rc);
  // A call that succeeded but could not be kept must not report success.
  if (keep && rc != SQLITE_OK) fail(batch_.lost);
}

void Hive::closeBatch() {
  const KeyId highest = batch_.highestCreatedKey;
  batch_ = Batch{};
  if (highest == 0) return;
  // Keys created in a rolled-back batch may still have handles: make sure
  // their ids are never given to new keys, so those handles stay "deleted".
  try {
    beginRaw(true);
    txnOpen_ = true;
    {
      sqlite3_stmt *s = prepare("UPDATE sqlite_sequence SET seq=MAX(seq,?1) WHERE name='keys'");
      sqlite3_bind_int64(s, 1, highest);
      int rc = sqlite3_step(s);
      sqlite3_reset(s);
      if (rc != SQLITE_DONE) failSqlite(rc, db_);
    }
    commitRaw();
    txnOpen_ = false;
  } catch (...) {
    if (txnOpen_) runControl("ROLLBACK");
    txnOpen_ = false;
    throw;
  }
}

void Hive::commitBatch() {
  ensureOpen(false); // a forked child has no batch of its parent's to end
  if (!batch_.open) fail(ERROR_INVALID_FUNCTION);
  requireBatchOwner();
  if (batch_.lost != ERROR_SUCCESS || sqlite3_get_autocommit(db_)) {
    const LONG lost = batch_.lost != ERROR_SUCCESS ? batch_.lost : ERROR_REGISTRY_IO_FAILED;
    rollbackBatch();
    fail(lost);
  }
  const bool flushNow = batch_.flushAtCommit;
  try {
    commitRaw();
  } catch (...) {
    // The commit's error is the one to report, whatever the rollback meets.
    try {
      rollbackBatch();
    } catch (const RegFailure &) {
    }
    throw;
  }
  batch_ = Batch{};
  if (flushNow) flush();
}

void Hive::rollbackBatch() {
  ensureOpen(false);
  if (!batch_.open) fail(ERROR_INVALID_FUNCTION);
  requireBatchOwner();
  if (!sqlite3_get_autocommit(db_)) runControl("ROLLBACK");
  closeBatch();
}

} // namespace zelk::registry
