// The statements on a hive's keys: lookup (through the read cache when it
// may answer), creation, deletion of a key or a whole tree, depth, last
// write times, enumeration and key information.
#include "hive_sql.h"

#include <string>

namespace zelk::registry {

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

KeyId Hive::createChild(KeyId parent, const WString &name, const WString &className, bool isVolatile) {
  int64_t now = nowFiletime();
  {
    Stmt s(*this, "INSERT INTO keys(parent,name,fold,class,mtime) VALUES(?1,?2,?3,?4,?5)");
    s.bind(1, parent).bindBlob(2, encodeName(name)).bindBlob(3, foldName(name)).bind(5, now);
    if (!className.empty()) s.bindBlob(4, encodeName(className));
    s.step();
  }
  KeyId id = sqlite3_last_insert_rowid(db_);
  if (batch_.open && id > batch_.highestCreatedKey) batch_.highestCreatedKey = id;
  if (isVolatile) {
    Stmt s(*this, "INSERT INTO volatile_keys(key) VALUES(?1)");
    s.bind(1, id).step();
  }
  touch(parent);
  return id;
}

bool Hive::isVolatile(KeyId key) {
  Stmt s(*this, "SELECT 1 FROM volatile_keys WHERE key=?1");
  return s.bind(1, key).step();
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
  {
    Stmt s(*this, "DELETE FROM volatile_keys WHERE key=?1");
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
  {
    Stmt s(*this, "DELETE FROM volatile_keys WHERE key NOT IN (SELECT id FROM keys)");
    s.step();
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

bool Hive::subkeyAt(KeyId key, DWORD index, SubkeyRecord &out) {
  // The next index of an enumeration in the state the cache holds (or the
  // same one again) continues from the name found last; any other index
  // counts from the first sub-key.
  std::optional<std::string> previous; // the name before the one wanted; none: from the first
  bool continues = false;
  if (cacheInCall_ && cache_.subkeyPosition() && cache_.subkeyPosition()->key == key) {
    const ReadCache::SubkeyPosition &last = *cache_.subkeyPosition();
    if (index == last.index + 1) {
      previous = last.fold;
      continues = true;
    } else if (index == last.index) {
      if (index > 0) previous = last.previousFold;
      continues = true;
    }
  }
  bool found;
  if (continues || index == 0) {
    // The position is a cached answer: a commit seen by this call's
    // snapshot starts the call over without it.
    if (continues) answeredFromCache_ = true;
    found = subkeyAfter(key, previous ? &*previous : nullptr, out);
  } else {
    Stmt s(*this, "SELECT name,class,mtime,fold FROM keys WHERE parent=?1 ORDER BY fold LIMIT 2 OFFSET ?2");
    s.bind(1, key).bind(2, int64_t(index) - 1);
    found = s.step();
    if (found) {
      previous = s.blob(3);
      found = s.step();
    }
    if (found) {
      out.name = s.name(0);
      out.className = s.name(1);
      out.mtime = s.integer(2);
      out.fold = s.blob(3);
    }
  }
  if (found && cacheInCall_) cache_.setSubkeyPosition({key, index, out.fold, previous.value_or(std::string())});
  return found;
}

bool Hive::subkeyAfter(KeyId key, const std::string *after, SubkeyRecord &out) {
  Stmt s(*this, after ? "SELECT name,class,mtime,fold FROM keys WHERE parent=?1 AND fold>?2 ORDER BY fold LIMIT 1"
                      : "SELECT name,class,mtime,fold FROM keys WHERE parent=?1 ORDER BY fold LIMIT 1");
  s.bind(1, key);
  if (after) s.bindBlob(2, *after);
  if (!s.step()) return false;
  out.name = s.name(0);
  out.className = s.name(1);
  out.mtime = s.integer(2);
  out.fold = s.blob(3);
  return true;
}

std::vector<std::string> Hive::childFolds(KeyId key) {
  std::vector<std::string> folds;
  Stmt s(*this, "SELECT fold FROM keys WHERE parent=?1 ORDER BY fold");
  s.bind(1, key);
  while (s.step()) folds.push_back(s.blob(0));
  return folds;
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

} // namespace zelk::registry
