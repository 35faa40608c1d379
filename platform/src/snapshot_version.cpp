#include "snapshot_version.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace zelk::registry {
namespace {

// The WAL-index starts with two copies of its 48-byte header; a writer
// stores the second copy, then the first, and a reader that finds them
// equal has read a whole header (the order SQLite itself relies on).
constexpr size_t kHeaderBytes = 48;
constexpr int kIndexRegionBytes = 32768;
constexpr size_t kIsInitOffset = 12;

void copyVolatile(const volatile unsigned char *from, unsigned char *to) {
  for (size_t i = 0; i < kHeaderBytes; ++i) to[i] = from[i];
}

} // namespace

bool SnapshotClock::attachWal(sqlite3 *db, uint64_t epoch) {
  detach();
  sqlite3_file *file = nullptr;
  if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
      !file->pMethods || file->pMethods->iVersion < 2 || !file->pMethods->xShmMap) {
    return false;
  }
  // Region 0 is already mapped by the connection's own read transaction;
  // asking without extending only looks it up.
  void volatile *region = nullptr;
  if (file->pMethods->xShmMap(file, 0, kIndexRegionBytes, 0, &region) != SQLITE_OK || !region) return false;
  walHeader_ = static_cast<const volatile unsigned char *>(region);
  attached_ = true;
  epoch_ = epoch;
  return true;
}

void SnapshotClock::attachStatic(uint64_t epoch) {
  detach();
  attached_ = true;
  epoch_ = epoch;
}

void SnapshotClock::detach() {
  walHeader_ = nullptr;
  attached_ = false;
}

bool SnapshotClock::read(SnapshotVersion &out) const {
  if (!attached_) return false;
  out.epoch = epoch_;
  if (!walHeader_) {
    out.header.fill(0);
    return true;
  }
  unsigned char second[kHeaderBytes];
  copyVolatile(walHeader_, out.header.data());
  std::atomic_thread_fence(std::memory_order_seq_cst);
  copyVolatile(walHeader_ + kHeaderBytes, second);
  if (std::memcmp(out.header.data(), second, kHeaderBytes) != 0) return false;
  return out.header[kIsInitOffset] != 0;
}

} // namespace zelk::registry
