// The process-wide state of the stand-in (both hives and the handle table)
// and the checks every API function shares: handle resolution, access rights,
// deleted keys and path walking.
#pragma once

#include "fair_mutex.h"
#include "handle_table.h"
#include "hive_store.h"
#include "reg_error.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace zelk::registry {

class Registry {
public:
  // Never destroyed, so that registry calls from static destructors work;
  // at exit the connections are closed (a later call reopens them).
  static Registry &instance();

  FairMutex mutex; // every call holds it: the API is thread-safe
  HandleTable handles;

  Hive &hive(HiveId id);
  // Closes the hive connections (at exit); a later call reopens them.
  void closeHives();

  // The key behind `handle`; ERROR_INVALID_HANDLE for anything else.
  // Predefined roots get all rights, or only KEY_READ on a read-only hive.
  // HKEY_CLASSES_ROOT is the key its merged view finds (classes_view.h).
  KeyRef resolve(HKEY handle);

  // Where the last sub-key enumeration of a key of HKEY_CLASSES_ROOT stood,
  // and the state of both hives it was made in (classes_view.cpp).
  struct ClassesPosition {
    bool valid = false;
    HKEY handle = nullptr;
    DWORD index = 0;
    std::string fold;
    std::optional<std::string> previous;
    SnapshotVersion user, machine;
  };
  ClassesPosition classesPosition;

private:
  std::unique_ptr<Hive> hives_[2];
};

// Rights for an open with `requested`: generic rights mapped, WOW64 flags
// dropped; ERROR_ACCESS_DENIED when write rights are asked of a read-only hive.
REGSAM grantAccess(REGSAM requested, bool writable);

// ERROR_KEY_DELETED unless the handle's key still exists (inside a txn).
void requireLive(Hive &hive, const KeyRef &ref);

// ERROR_ACCESS_DENIED unless the handle has one of `rights`.
void requireRights(const KeyRef &ref, REGSAM rights);

// Follows `components` from `start`; 0 when a component is missing.
KeyId walk(Hive &hive, KeyId start, const std::vector<WString> &components);

bool isStringType(DWORD type);

// The frame of a call on an open key: serialised with every other call, the
// handle resolved, a transaction opened (for writing when `write`), the key
// found alive and the handle holding one of `rights`; then `body(hive, ref,
// txn)` gives the result. Failures of the frame become their Win32 codes.
template <typename Body>
LONG onOpenKey(HKEY handle, bool write, REGSAM rights, Body body) {
  return guarded([&]() -> LONG {
    Registry &reg = Registry::instance();
    std::lock_guard<FairMutex> lock(reg.mutex);
    KeyRef ref = reg.resolve(handle);
    if (ref.key == 0) return LONG(ERROR_FILE_NOT_FOUND); // a view whose root neither hive has
    Hive &hive = reg.hive(ref.hive);
    Hive::Txn txn(hive, write);
    requireLive(hive, ref);
    requireRights(ref, rights);
    return body(hive, ref, txn);
  });
}

} // namespace zelk::registry
