// Process-wide registry state and the shared checks of the API functions.
#include "registry_context.h"

#include "classes_view.h"

#include <cstdlib>

namespace zelk::registry {

namespace {
Registry *theRegistry = nullptr;

void closeHivesAtExit() {
  std::lock_guard<FairMutex> lock(theRegistry->mutex);
  theRegistry->closeHives();
}
} // namespace

Registry &Registry::instance() {
  static Registry *registry = [] {
    theRegistry = new Registry();
    std::atexit(closeHivesAtExit);
    return theRegistry;
  }();
  return *registry;
}

void Registry::closeHives() {
  for (auto &hive : hives_) {
    if (hive) hive->closeAtExit();
  }
}

Hive &Registry::hive(HiveId id) {
  auto &slot = hives_[static_cast<int>(id)];
  if (!slot) slot = std::make_unique<Hive>(id);
  return *slot;
}

KeyRef Registry::resolve(HKEY handle) {
  KeyRef ref;
  if (HandleTable::isPredefined(handle)) {
    if (HandleTable::isClassesRoot(handle)) return classesRootRef(*this);
    HiveId id;
    if (!HandleTable::predefinedHive(handle, id)) fail(ERROR_INVALID_HANDLE);
    ref.hive = id;
    ref.key = kRootKey;
    ref.predefined = true;
    ref.granted = hive(id).writable() ? REGSAM(KEY_ALL_ACCESS) : REGSAM(KEY_READ);
    return ref;
  }
  if (!handles.find(handle, ref)) fail(ERROR_INVALID_HANDLE);
  return ref;
}

REGSAM grantAccess(REGSAM requested, bool writable) {
  REGSAM r = requested & ~REGSAM(KEY_WOW64_RES);
  if (r & GENERIC_READ) r |= KEY_READ;
  if (r & GENERIC_WRITE) r |= KEY_WRITE;
  if (r & GENERIC_EXECUTE) r |= KEY_EXECUTE;
  if (r & GENERIC_ALL) r |= KEY_ALL_ACCESS;
  r &= ~REGSAM(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
  if (r & MAXIMUM_ALLOWED) {
    r &= ~REGSAM(MAXIMUM_ALLOWED);
    r |= writable ? REGSAM(KEY_ALL_ACCESS) : REGSAM(KEY_READ);
  }
  const REGSAM writeRights =
      KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;
  if (!writable && (r & writeRights)) fail(ERROR_ACCESS_DENIED);
  return r;
}

void requireLive(Hive &hive, const KeyRef &ref) {
  if (ref.key != kRootKey && !hive.keyExists(ref.key)) fail(ERROR_KEY_DELETED);
}

void requireRights(const KeyRef &ref, REGSAM rights) {
  if ((ref.granted & rights) == 0) fail(ERROR_ACCESS_DENIED);
}

KeyId walk(Hive &hive, KeyId start, const std::vector<WString> &components) {
  KeyId key = start;
  for (const WString &c : components) {
    key = hive.findChild(key, c);
    if (key == 0) return 0;
  }
  return key;
}

bool isStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace zelk::registry
