// An insert-only hash index that numbers texts held elsewhere: the first key
// inserted gets 0, the next new one 1, and so on. The slots are one flat
// array of hash and number, so a lookup reads few cache lines and compares
// characters only on a likely match; a node-based set costs a scattered read
// per step, which dominates once the names of a large project no longer fit
// in the cache.
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
  size_t Size() const { return keys_.size(); }

  // The number of `key`, or kNone.
  uint32_t Find(TextView key) const;
  // The number of `key`, which gets the next number when it is new. The
  // characters `key` refers to must stay in place while the index is used.
  uint32_t Insert(TextView key);

 private:
  struct Slot {
    uint32_t hash = 0;
    uint32_t number = kNone;  // kNone marks an empty slot
  };
  static uint32_t HashOf(TextView key);
  // The slot holding `key`, or the empty slot where it belongs.
  size_t SlotFor(TextView key, uint32_t hash) const;
  void Rehash(size_t slot_count);

  std::vector<TextView> keys_;  // by number
  std::vector<Slot> slots_;     // a power of two in size, at most half full
};

}  // namespace quillon
