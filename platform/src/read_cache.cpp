#include "read_cache.h"

#include "hive_store.h"

namespace zelk::registry {

ReadCache::ReadCache() = default;
ReadCache::~ReadCache() = default;

void ReadCache::follow(const SnapshotVersion &now) {
  if (hasVersion_ && version_ == now) return;
  clear();
  version_ = now;
  hasVersion_ = true;
}

void ReadCache::clear() {
  dropEntries();
  hasVersion_ = false;
}

void ReadCache::dropEntries() {
  alive_.clear();
  children_.clear();
  values_.clear();
  valuePosition_.reset();
  subkeyPosition_.reset();
  entries_ = 0;
}

void ReadCache::makeRoom() {
  if (entries_ >= kMaxEntries) dropEntries();
}

std::optional<bool> ReadCache::keyAlive(KeyId key) const {
  auto it = alive_.find(key);
  if (it == alive_.end()) return std::nullopt;
  return it->second;
}

void ReadCache::setKeyAlive(KeyId key, bool alive) {
  makeRoom();
  if (alive_.insert_or_assign(key, alive).second) ++entries_;
}

std::optional<KeyId> ReadCache::child(KeyId parent, const std::string &fold) const {
  auto it = children_.find({parent, fold});
  if (it == children_.end()) return std::nullopt;
  return it->second;
}

void ReadCache::setChild(KeyId parent, const std::string &fold, KeyId child) {
  makeRoom();
  if (children_.insert_or_assign({parent, fold}, child).second) ++entries_;
  // A child found is a key alive in this state.
  if (child != 0 && alive_.insert_or_assign(child, true).second) ++entries_;
}

std::optional<const ValueRecord *> ReadCache::value(KeyId key, const std::string &fold) const {
  auto it = values_.find({key, fold});
  if (it == values_.end()) return std::nullopt;
  return it->second ? &*it->second : nullptr;
}

void ReadCache::setValue(KeyId key, const std::string &fold, const ValueRecord *found) {
  makeRoom();
  std::optional<ValueRecord> entry;
  if (found) entry = *found;
  if (values_.insert_or_assign({key, fold}, std::move(entry)).second) ++entries_;
}

} // namespace zelk::registry
