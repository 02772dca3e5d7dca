#include "generate/signature_index.h"

#include <algorithm>

namespace quillon {

SignatureIndex::SignatureIndex(TextView prefix, TextView suffix, const Lines& names)
    : prefix_(prefix), suffix_(suffix) {
  wanted_.Reserve(names.size());
  for (const Text& name : names) {
    const auto next = static_cast<uint32_t>(found_.size());
    if (wanted_.Insert(name, next) != next) continue;  // a repeated name
    found_.push_back(false);
    lengths_.push_back(name.size());
  }
  std::sort(lengths_.begin(), lengths_.end());
  lengths_.erase(std::unique(lengths_.begin(), lengths_.end()), lengths_.end());
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
      const uint32_t i = wanted_.Find(line.substr(name_start, length));
      if (i != ViewIndex::kNone) found_[i] = true;
    }
  }
}

void SignatureIndex::AddLines(const Lines& lines) {
  for (const Text& line : lines) AddLine(line);
}

}  // namespace quillon
