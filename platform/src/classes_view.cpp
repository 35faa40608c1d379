// The merged view of HKEY_CLASSES_ROOT (see classes_view.h). Each hive is
// read in a transaction of its own: like Windows, the view is not one
// snapshot of both hives.
#include "classes_view.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace zelk::registry {
namespace {

// The key at `hivePath` below the root of hive `id`; 0 when missing.
KeyId findIn(Registry &reg, HiveId id, const std::vector<WString> &hivePath) {
  Hive &hive = reg.hive(id);
  Hive::Txn txn(hive, false);
  KeyId key = walk(hive, kRootKey, hivePath);
  txn.commit();
  return key;
}

// How many leading components of `hivePath` exist in hive `id`.
size_t existingDepth(Registry &reg, HiveId id, const std::vector<WString> &hivePath) {
  Hive &hive = reg.hive(id);
  Hive::Txn txn(hive, false);
  KeyId key = kRootKey;
  size_t depth = 0;
  while (depth < hivePath.size() && (key = hive.findChild(key, hivePath[depth])) != 0) ++depth;
  txn.commit();
  return depth;
}

struct Side {
  HiveId hive;
  KeyId key; // 0: this hive does not have the key
};

// The first sub-key of `side` after the folded name `after`.
bool nextIn(Registry &reg, const Side &side, const std::optional<std::string> &after, SubkeyRecord &out) {
  if (side.key == 0) return false;
  Hive &hive = reg.hive(side.hive);
  Hive::Txn txn(hive, false);
  bool found = hive.keyExists(side.key) && hive.subkeyAfter(side.key, after ? &*after : nullptr, out);
  txn.commit();
  return found;
}

// The first sub-key of the union after `after`; the user's on a tie.
bool nextMerged(Registry &reg, const Side &user, const Side &machine, const std::optional<std::string> &after,
                SubkeyRecord &out) {
  SubkeyRecord u, m;
  const bool hasUser = nextIn(reg, user, after, u);
  const bool hasMachine = nextIn(reg, machine, after, m);
  if (!hasUser && !hasMachine) return false;
  out = hasUser && (!hasMachine || u.fold <= m.fold) ? std::move(u) : std::move(m);
  return true;
}

bool bothStates(Registry &reg, SnapshotVersion &user, SnapshotVersion &machine) {
  return reg.hive(HiveId::User).committedState(user) && reg.hive(HiveId::Machine).committedState(machine);
}

} // namespace

std::vector<WString> joinPaths(const std::vector<WString> &head, const std::vector<WString> &tail) {
  std::vector<WString> path = head;
  path.insert(path.end(), tail.begin(), tail.end());
  return path;
}

std::vector<WString> classesHivePath(const std::vector<WString> &path) {
  return joinPaths({u"Software", u"Classes"}, path);
}

ClassesKey findClassesKey(Registry &reg, const std::vector<WString> &path) {
  const std::vector<WString> hivePath = classesHivePath(path);
  if (KeyId user = findIn(reg, HiveId::User, hivePath)) return {HiveId::User, user};
  return {HiveId::Machine, findIn(reg, HiveId::Machine, hivePath)};
}

HiveId hiveForNewClassesKey(Registry &reg, const std::vector<WString> &path) {
  // Software\Classes itself counts for neither: a key made at the top of
  // the view goes to the machine hive, as on Windows.
  const std::vector<WString> hivePath = classesHivePath(path);
  const size_t user = existingDepth(reg, HiveId::User, hivePath);
  const size_t machine = existingDepth(reg, HiveId::Machine, hivePath);
  return user > 2 && user >= machine ? HiveId::User : HiveId::Machine;
}

KeyRef classesRootRef(Registry &reg) {
  ClassesKey root = findClassesKey(reg, {});
  KeyRef ref;
  ref.hive = root.hive;
  ref.key = root.key;
  ref.predefined = true;
  ref.classes = true;
  ref.granted = reg.hive(root.hive).writable() ? REGSAM(KEY_ALL_ACCESS) : REGSAM(KEY_READ);
  return ref;
}

bool classesSubkeyAt(Registry &reg, HKEY handle, const KeyRef &ref, DWORD index, SubkeyRecord &out) {
  const std::vector<WString> hivePath = classesHivePath(ref.classesPath);
  const Side user{HiveId::User, findIn(reg, HiveId::User, hivePath)};
  const Side machine{HiveId::Machine, findIn(reg, HiveId::Machine, hivePath)};
  // The next index (or the same again) continues from the name found last,
  // while neither hive has changed since: listing n sub-keys costs n steps.
  SnapshotVersion userState, machineState;
  const bool knownStates = bothStates(reg, userState, machineState);
  Registry::ClassesPosition &last = reg.classesPosition;
  std::optional<std::string> after; // the name before the one looked at
  DWORD at = 0;
  if (knownStates && last.valid && last.handle == handle && last.user == userState &&
      last.machine == machineState && (index == last.index || index == last.index + 1)) {
    after = index == last.index ? last.previous : std::optional<std::string>(last.fold);
    at = index;
  }
  SubkeyRecord found;
  for (;; ++at) {
    if (!nextMerged(reg, user, machine, after, found)) return false;
    if (at == index) break;
    after = found.fold;
  }
  SnapshotVersion userAfter, machineAfter;
  last.valid = knownStates && bothStates(reg, userAfter, machineAfter) && userAfter == userState &&
               machineAfter == machineState;
  if (last.valid) {
    last.handle = handle;
    last.index = index;
    last.fold = found.fold;
    last.previous = after;
    last.user = userState;
    last.machine = machineState;
  }
  out = std::move(found);
  return true;
}

void mergeClassesSubkeyStats(Registry &reg, const KeyRef &ref, KeyStats &st) {
  const std::vector<WString> hivePath = classesHivePath(ref.classesPath);
  std::vector<std::string> folds[2];
  st.subkeys = st.maxSubkeyNameUnits = st.maxClassUnits = 0;
  for (HiveId id : {HiveId::User, HiveId::Machine}) {
    Hive &hive = reg.hive(id);
    Hive::Txn txn(hive, false);
    KeyId key = walk(hive, kRootKey, hivePath);
    if (key == 0) continue;
    KeyStats side = hive.stats(key);
    folds[int(id)] = hive.childFolds(key);
    txn.commit();
    st.maxSubkeyNameUnits = std::max(st.maxSubkeyNameUnits, side.maxSubkeyNameUnits);
    st.maxClassUnits = std::max(st.maxClassUnits, side.maxClassUnits);
  }
  std::vector<std::string> both;
  std::set_union(folds[0].begin(), folds[0].end(), folds[1].begin(), folds[1].end(), std::back_inserter(both));
  st.subkeys = DWORD(both.size());
}

} // namespace zelk::registry
