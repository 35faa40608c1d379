// The transaction of each API call on a hive: a write transaction for a
// changing call, a read transaction begun only when the read cache cannot
// answer, and the flush that makes committed changes durable.  (Calls inside
// a batch join its transaction instead: hive_batch.cpp.)
#include "hive_sql.h"

#include <chrono>
#include <thread>

namespace zelk::registry {
namespace {

constexpr int kBusyRetries = 120; // ten minutes of waiting before giving up

} // namespace

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

bool Hive::committedState(SnapshotVersion &out) {
  if (!db_ || owner_ != processLineage() || batch_.open) return false;
  return clock_.read(out);
}

void Hive::endCall() { resetCallState(false); }

void Hive::resetCallState(bool inBatch) {
  txnOpen_ = inBatch;
  batchCall_ = inBatch;
  callSavepoint_ = false;
  deferredBegin_ = false;
  cacheInCall_ = false;
  answeredFromCache_ = false;
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
