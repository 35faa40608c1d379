// Handle values: ((generation << 18) | (slot + 1)) << 2, always below
// 0x40000000, so they never collide with the predefined 0x8000000x values and
// a closed handle stays invalid after its slot is reused.
#include "handle_table.h"

namespace zelk::registry {
namespace {
constexpr uintptr_t kSlotBits = 18;
constexpr uintptr_t kMaxSlots = (uintptr_t(1) << kSlotBits) - 1;
constexpr uint32_t kGenerationMask = 0x3ff;
} // namespace

bool HandleTable::isPredefined(HKEY handle) {
  uint32_t low = uint32_t(reinterpret_cast<uintptr_t>(handle));
  return low >= 0x80000000u && low <= 0x80000007u;
}

bool HandleTable::predefinedHive(HKEY handle, HiveId &hive) {
  uint32_t low = uint32_t(reinterpret_cast<uintptr_t>(handle));
  if (low == 0x80000001u) {
    hive = HiveId::User;
    return true;
  }
  if (low == 0x80000002u) {
    hive = HiveId::Machine;
    return true;
  }
  return false;
}

bool HandleTable::isClassesRoot(HKEY handle) {
  return uint32_t(reinterpret_cast<uintptr_t>(handle)) == 0x80000000u;
}

HKEY HandleTable::add(const KeyRef &ref) {
  size_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    if (slots_.size() >= kMaxSlots) return nullptr;
    index = slots_.size();
    slots_.emplace_back();
  }
  Slot &slot = slots_[index];
  slot.used = true;
  slot.ref = ref;
  uintptr_t value = ((uintptr_t(slot.generation & kGenerationMask) << kSlotBits) | (index + 1)) << 2;
  return reinterpret_cast<HKEY>(value);
}

bool HandleTable::slotOf(HKEY handle, size_t &index) const {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value == 0 || (value & 3) != 0 || value >= (uintptr_t(1) << 30)) return false;
  value >>= 2;
  uintptr_t slot = value & kMaxSlots;
  uint32_t generation = uint32_t(value >> kSlotBits);
  if (slot == 0 || slot > slots_.size()) return false;
  const Slot &s = slots_[slot - 1];
  if (!s.used || (s.generation & kGenerationMask) != generation) return false;
  index = slot - 1;
  return true;
}

bool HandleTable::find(HKEY handle, KeyRef &out) const {
  size_t index;
  if (!slotOf(handle, index)) return false;
  out = slots_[index].ref;
  return true;
}

bool HandleTable::remove(HKEY handle) {
  size_t index;
  if (!slotOf(handle, index)) return false;
  Slot &s = slots_[index];
  s.used = false;
  ++s.generation;
  free_.push_back(index);
  return true;
}

} // namespace zelk::registry
