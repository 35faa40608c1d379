// The statements on a hive's values: get (through the read cache when it
// may answer), set, delete and enumerate.
#include "hive_sql.h"

#include <cstring>
#include <string>

namespace zelk::registry {
namespace {

// Whether a stored value already is `type` with this non-empty data (a set of
// it would change nothing).
bool storedAs(DWORD storedType, const std::string &stored, DWORD type, const void *data, size_t size) {
  return size > 0 && storedType == type && stored.size() == size && std::memcmp(stored.data(), data, size) == 0;
}

} // namespace

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

bool Hive::valueAt(KeyId key, DWORD index, ValueRecord &out) {
  // The next index of an enumeration in the state the cache holds continues
  // from the value found last; any other index counts from the first value.
  std::optional<ReadCache::ValuePosition> last;
  if (cacheInCall_) last = cache_.valuePosition();
  const bool continues = last && last->key == key && (index == last->index || index == last->index + 1);
  bool found;
  int64_t seq = 0;
  {
    // The position is a cached answer: a commit seen by this call's
    // snapshot starts the call over without it.
    if (continues) answeredFromCache_ = true;
    Stmt s(*this, continues ? "SELECT name,type,data,seq FROM vals WHERE key=?1 AND seq>=?2 ORDER BY seq LIMIT 1"
                            : "SELECT name,type,data,seq FROM vals WHERE key=?1 ORDER BY seq LIMIT 1 OFFSET ?2");
    s.bind(1, key).bind(2, continues ? (index == last->index ? last->seq : last->seq + 1) : int64_t(index));
    found = s.step();
    if (found) {
      out.name = s.name(0);
      out.type = DWORD(s.integer(1));
      out.data = s.blob(2);
      seq = s.integer(3);
    }
  }
  if (found && cacheInCall_) cache_.setValuePosition({key, index, seq});
  return found;
}

} // namespace zelk::registry
