// What a process has already read of one hive: key liveness, child lookups
// and values (found or missing), all belonging to one committed state of the
// hive.  The hive store empties it whenever that state may have changed.
#pragma once

#include "snapshot_version.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace zelk::registry {

using KeyId = int64_t;

struct ValueRecord;

class ReadCache {
public:
  // Bounds the memory a long-running reader of many names can use.
  static constexpr size_t kMaxEntries = 20000;

  ReadCache();
  ~ReadCache();

  // Keeps the contents when `now` is the state they were read from;
  // otherwise empties the cache and starts collecting for `now`.
  void follow(const SnapshotVersion &now);
  const SnapshotVersion &version() const { return version_; }
  // Whether the contents were read from the state `now`.
  bool holds(const SnapshotVersion &now) const { return hasVersion_ && version_ == now; }
  void clear();

  std::optional<bool> keyAlive(KeyId key) const;
  void setKeyAlive(KeyId key, bool alive);

  // The child's id, 0 when it does not exist; `fold` is the folded name.
  std::optional<KeyId> child(KeyId parent, const std::string &fold) const;
  void setChild(KeyId parent, const std::string &fold, KeyId child);

  // nullptr inside the optional: the value is known to be missing.
  std::optional<const ValueRecord *> value(KeyId key, const std::string &fold) const;
  void setValue(KeyId key, const std::string &fold, const ValueRecord *found);

  // Where the last enumeration of a key's values stood in this state: the
  // index it asked for and that value's place (`seq`). The next index then
  // continues from there instead of counting every value from the first,
  // which would make listing a key of n values cost n * n steps.
  struct ValuePosition {
    KeyId key = 0;
    uint32_t index = 0;
    int64_t seq = 0;
  };
  std::optional<ValuePosition> valuePosition() const { return valuePosition_; }
  void setValuePosition(const ValuePosition &position) { valuePosition_ = position; }

  // The same for sub-keys, which enumerate in the order of their folded
  // names: the index asked for, the folded name found there and the one
  // before it (empty for index 0), so that the same index asked again (with
  // a larger buffer) is found from there too.
  struct SubkeyPosition {
    KeyId key = 0;
    uint32_t index = 0;
    std::string fold;
    std::string previousFold;
  };
  const std::optional<SubkeyPosition> &subkeyPosition() const { return subkeyPosition_; }
  void setSubkeyPosition(SubkeyPosition position) { subkeyPosition_ = std::move(position); }

private:
  void dropEntries(); // keeps the state the cache belongs to
  void makeRoom();

  SnapshotVersion version_;
  bool hasVersion_ = false;
  size_t entries_ = 0;
  std::unordered_map<KeyId, bool> alive_;
  std::map<std::pair<KeyId, std::string>, KeyId> children_;
  std::map<std::pair<KeyId, std::string>, std::optional<ValueRecord>> values_;
  std::optional<ValuePosition> valuePosition_;
  std::optional<SubkeyPosition> subkeyPosition_;
};

} // namespace zelk::registry
