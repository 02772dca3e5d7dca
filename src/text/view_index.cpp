#include "text/view_index.h"

#include <functional>

namespace quillon {

uint32_t ViewIndex::HashOf(TextView key) {
  const size_t h = std::hash<TextView>{}(key);
  return static_cast<uint32_t>(h ^ (h >> 32));
}

size_t ViewIndex::SlotFor(TextView key, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.value == kNone || (slot.hash == hash && slot.key == key)) return i;
  }
}

void ViewIndex::Rehash(size_t slot_count) {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(slot_count, Slot());
  for (const Slot& slot : old) {
    if (slot.value != kNone) slots_[SlotFor(slot.key, slot.hash)] = slot;
  }
}

void ViewIndex::Reserve(size_t count) {
  size_t slot_count = 16;
  while (slot_count < 2 * count) slot_count *= 2;
  if (slot_count > slots_.size()) Rehash(slot_count);
}

void ViewIndex::Clear() {
  slots_.clear();
  size_ = 0;
}

uint32_t ViewIndex::Find(TextView key) const {
  if (slots_.empty()) return kNone;
  return slots_[SlotFor(key, HashOf(key))].value;
}

uint32_t ViewIndex::Insert(TextView key, uint32_t value) {
  if (2 * (size_ + 1) > slots_.size()) Reserve(size_ + 1 > 8 ? 2 * (size_ + 1) : 8);
  const uint32_t hash = HashOf(key);
  Slot& slot = slots_[SlotFor(key, hash)];
  if (slot.value != kNone) return slot.value;
  slot = {key, hash, value};
  ++size_;
  return value;
}

}  // namespace quillon
