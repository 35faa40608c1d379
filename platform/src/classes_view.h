// HKEY_CLASSES_ROOT: the merged view of HKCU\Software\Classes over
// HKLM\Software\Classes. A key of the view is the user's key where the user's
// hive has it, the machine's otherwise; a new key goes where the deepest of
// its existing ancestors is the user's, and to the machine hive otherwise;
// sub-keys enumerate as the union of both hives' sub-keys.
#pragma once

#include "registry_context.h"

#include <vector>

namespace zelk::registry {

// Where a key of the view lies in either hive: Software\Classes\<path>.
std::vector<WString> classesHivePath(const std::vector<WString> &path);

std::vector<WString> joinPaths(const std::vector<WString> &head, const std::vector<WString> &tail);

// The key of the view at `path`: the user's when it exists, else the
// machine's; key 0 (in the machine hive) when neither hive has it.
struct ClassesKey {
  HiveId hive = HiveId::Machine;
  KeyId key = 0;
};
ClassesKey findClassesKey(Registry &reg, const std::vector<WString> &path);

// The hive a key of the view that does not exist yet is created in.
HiveId hiveForNewClassesKey(Registry &reg, const std::vector<WString> &path);

// HKEY_CLASSES_ROOT itself, as a handle of the view.
KeyRef classesRootRef(Registry &reg);

// The sub-key at `index` of the view's key `ref` (opened as `handle`), in
// the union of both hives' sub-keys ordered as one key's; the user's
// sub-key where both hives have one of that name.
bool classesSubkeyAt(Registry &reg, HKEY handle, const KeyRef &ref, DWORD index, SubkeyRecord &out);

// Sets the sub-key count and longest sub-key name and class of `st` to
// those of that union.
void mergeClassesSubkeyStats(Registry &reg, const KeyRef &ref, KeyStats &st);

} // namespace zelk::registry
