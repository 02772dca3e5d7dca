// An insert-only hash index from texts held elsewhere to numbers. All slots
// live in one flat array and each carries its key's hash, so a lookup reads
// one or two cache lines and compares characters only on a likely match; a
// node-based map costs a scattered read per step, which dominates once the
// names of a large project no longer fit in the cache.
#pragma once

#include <cstdint>
#include <vector>

#include "text/text.h"

namespace quillon {

class ViewIndex {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // Room for `count` keys without growing.
  void Reserve(size_t count);
  void Clear();
  size_t Size() const { return size_; }

  // The number stored for `key`, or kNone.
  uint32_t Find(TextView key) const;
  // Stores `value` for `key` unless the key is there already; returns the
  // number stored for it either way. The characters `key` refers to must
  // stay in place for as long as the index is used.
  uint32_t Insert(TextView key, uint32_t value);

 private:
  struct Slot {
    TextView key;
    uint32_t hash = 0;
    uint32_t value = kNone;  // kNone marks an empty slot
  };
  static uint32_t HashOf(TextView key);
  // The slot holding `key`, or the empty slot where it belongs.
  size_t SlotFor(TextView key, uint32_t hash) const;
  void Rehash(size_t slot_count);

  std::vector<Slot> slots_;  // a power of two in size, at most half full
  size_t size_ = 0;
};

}  // namespace quillon
