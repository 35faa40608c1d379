// The key handles of the stand-in: HKEY values for opened keys, the two
// predefined roots, and the rights each handle was opened with.
#pragma once

#include "hive_locations.h"
#include "hive_store.h"

#include <cstdint>
#include <vector>

namespace zelk::registry {

struct KeyRef {
  HiveId hive = HiveId::User;
  KeyId key = 0;
  REGSAM granted = 0;
  bool predefined = false;
  // A key of HKEY_CLASSES_ROOT, the merged view of the two hives'
  // Software\Classes: `key` is the one the view found (the user's first;
  // 0 when neither hive has it), `classesPath` its path below the view's root.
  bool classes = false;
  std::vector<WString> classesPath;
};

// Not thread-safe by itself; the registry context serialises all calls.
class HandleTable {
public:
  // Predefined handles compare on their low 32 bits, as on 64-bit Windows.
  static bool isPredefined(HKEY handle);
  static bool predefinedHive(HKEY handle, HiveId &hive); // false: not a hive's root
  static bool isClassesRoot(HKEY handle);

  HKEY add(const KeyRef &ref); // nullptr when the table is full
  bool find(HKEY handle, KeyRef &out) const;
  bool remove(HKEY handle);

private:
  struct Slot {
    uint32_t generation = 0;
    bool used = false;
    KeyRef ref;
  };
  bool slotOf(HKEY handle, size_t &index) const;

  std::vector<Slot> slots_;
  std::vector<size_t> free_;
};

} // namespace zelk::registry
