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
    if (slot.number == kNone || (slot.hash == hash && keys_[slot.number] == key)) return i;
  }
}

void ViewIndex::Rehash(size_t slot_count) {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(slot_count, Slot());
  // The keys are distinct: each goes to the first free slot of its probe.
  const size_t mask = slot_count - 1;
  for (const Slot& slot : old) {
    if (slot.number == kNone) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].number != kNone) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void ViewIndex::Reserve(size_t count) {
  size_t slot_count = 16;
  while (slot_count < 2 * count) slot_count *= 2;
  if (slot_count > slots_.size()) Rehash(slot_count);
  keys_.reserve(count);
}

void ViewIndex::Clear() {
  keys_.clear();
  slots_.clear();
}

uint32_t ViewIndex::Find(TextView key) const {
  if (slots_.empty()) return kNone;
  return slots_[SlotFor(key, HashOf(key))].number;
}

uint32_t ViewIndex::Insert(TextView key) {
  if (2 * (keys_.size() + 1) > slots_.size()) Reserve(2 * (keys_.size() + 1));
  const uint32_t hash = HashOf(key);
  Slot& slot = slots_[SlotFor(key, hash)];
  if (slot.number != kNone) return slot.number;
  slot = {hash, static_cast<uint32_t>(keys_.size())};
  keys_.push_back(key);
  return slot.number;
}

}  // namespace quillon
