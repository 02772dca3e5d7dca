#include "text/upper_name_set.h"

#include <algorithm>
#include <cstring>

namespace quillon {

TextView UpperNameSet::Keep(TextView text) {
  if (text.empty()) return TextView();
  if (text.size() > block_size_ - block_used_) {
    // A name longer than a block gets a block of its own size.
    block_size_ = std::max(kBlockSize, text.size());
    blocks_.push_back(std::make_unique<char[]>(block_size_));
    block_used_ = 0;
  }
  char* at = blocks_.back().get() + block_used_;
  std::memcpy(at, text.data(), text.size());
  block_used_ += text.size();
  return TextView(at, text.size());
}

bool UpperNameSet::InsertUpper(TextView upper_name) {
  if (ContainsUpper(upper_name)) return false;
  index_.Insert(Keep(upper_name));
  return true;
}

bool UpperNameSet::Insert(TextView name) {
  UpperInto(name, &upper_);
  return InsertUpper(upper_);
}

bool UpperNameSet::Contains(TextView name) const {
  UpperInto(name, &upper_);
  return ContainsUpper(upper_);
}

}  // namespace quillon
