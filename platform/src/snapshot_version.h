// Which committed state of a hive a reader would see, read without starting
// a transaction: the WAL-index header SQLite keeps in the shared-memory file
// beside the database.  Every commit, WAL reset and recovery rewrites that
// header, so two equal readings mean no change became visible in between.
#pragma once

#include <array>
#include <cstdint>

struct sqlite3;

namespace zelk::registry {

struct SnapshotVersion {
  uint64_t epoch = 0;                  // which connection the reading belongs to
  std::array<unsigned char, 48> header{}; // all zero for a connection without WAL
  bool operator==(const SnapshotVersion &other) const {
    return epoch == other.epoch && header == other.header;
  }
  bool operator!=(const SnapshotVersion &other) const { return !(*this == other); }
};

class SnapshotClock {
public:
  // Starts reading the WAL-index of `db` (which must be in WAL mode and have
  // run a read transaction, so the index exists).  False when the connection
  // has no shared index to read.
  bool attachWal(sqlite3 *db, uint64_t epoch);
  // A connection whose contents change only by reopening it (an in-memory
  // placeholder, an immutable snapshot): its version is its epoch alone.
  void attachStatic(uint64_t epoch);
  void detach();

  // The version now; false while a writer is rewriting the header, or when
  // nothing is attached.
  bool read(SnapshotVersion &out) const;

private:
  const volatile unsigned char *walHeader_ = nullptr;
  bool attached_ = false;
  uint64_t epoch_ = 0;
};

} // namespace zelk::registry
