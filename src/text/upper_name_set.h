// A set of names compared without case, for the large name tables of a run
// (every gadget of every window). The upper-cased names lie back to back in
// blocks that never move, and a flat index finds them: no allocation per
// name, and a lookup touches few cache lines. Lookups upper-case into one
// buffer of the set: a set serves one thread.
#pragma once

#include <memory>
#include <vector>

#include "text/text.h"
#include "text/view_index.h"

namespace quillon {

class UpperNameSet {
 public:
  UpperNameSet() = default;
  // Room for `expected` names without growing the index.
  explicit UpperNameSet(size_t expected) { index_.Reserve(expected); }

  // False when an equal name (ignoring case) is in the set already.
  bool Insert(TextView name);
  // The same for a name that is upper-cased already.
  bool InsertUpper(TextView upper_name);
  bool Contains(TextView name) const;
  bool ContainsUpper(TextView upper_name) const { return index_.Find(upper_name) != ViewIndex::kNone; }
  size_t Size() const { return index_.Size(); }

 private:
  // A lasting copy of `text` in the blocks.
  TextView Keep(TextView text);

  static constexpr size_t kBlockSize = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t block_size_ = 0;  // of the last block
  size_t block_used_ = 0;  // bytes used of it
  ViewIndex index_;
  mutable Text upper_;  // scratch of Insert and Contains
};

}  // namespace quillon
