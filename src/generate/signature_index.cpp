#include "generate/signature_index.h"

#include <algorithm>

namespace quillon {

SignatureIndex::SignatureIndex(TextView prefix, TextView suffix, const std::vector<TextView>& names)
    : prefix_(prefix), suffix_(suffix), names_(names) {
  wanted_.Reserve(names.size());
  number_of_name_.reserve(names.size());
  for (TextView name : names) {
    const auto next = static_cast<uint32_t>(found_.size());
    const uint32_t number = wanted_.Insert(name);
    number_of_name_.push_back(number);
    if (number != next) continue;  // a repeated name
    first_position_.push_back(static_cast<uint32_t>(number_of_name_.size() - 1));
    found_.push_back(false);
    lengths_.push_back(name.size());
  }
  std::sort(lengths_.begin(), lengths_.end());
  lengths_.erase(std::unique(lengths_.begin(), lengths_.end()), lengths_.end());
}

uint32_t SignatureIndex::NumberOf(TextView name) {
  // Event files list their procedures in the order of the names, so the
  // name after the last one found is checked first: reading the names in
  // order is much cheaper than a lookup at a random place.
  if (next_in_order_ < names_.size() && names_[next_in_order_] == name) {
    return number_of_name_[next_in_order_++];
  }
  const uint32_t number = wanted_.Find(name);
  // Continue in order after this name.
  if (number != ViewIndex::kNone) next_in_order_ = first_position_[number] + 1;
  return number;
}

bool SignatureIndex::Contains(TextView name) const {
  const uint32_t i = wanted_.Find(name);
  return i != ViewIndex::kNone && found_[i];
}

// A line contains prefix + name + suffix exactly when, at some occurrence of
// the prefix, the text after it starts with name + suffix. Only the lengths
// of wanted names need trying at each occurrence.
void SignatureIndex::AddLine(TextView line) {
  if (prefix_.empty() || found_.empty()) return;
  for (size_t at = line.find(prefix_); at != TextView::npos; at = line.find(prefix_, at + 1)) {
    const size_t name_start = at + prefix_.size();
    const size_t room = line.size() - name_start;
    for (size_t length : lengths_) {
      if (length + suffix_.size() > room) break;  // lengths ascend
      if (line.compare(name_start + length, suffix_.size(), suffix_) != 0) continue;
      const uint32_t i = NumberOf(line.substr(name_start, length));
      if (i == ViewIndex::kNone || found_[i]) continue;
      found_[i] = true;
      ++found_count_;
    }
  }
}

void SignatureIndex::AddLines(const Lines& lines) {
  for (const Text& line : lines) AddLine(line);
}

}  // namespace quillon
