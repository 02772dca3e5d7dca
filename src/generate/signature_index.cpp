#include "generate/signature_index.h"

#include <algorithm>

namespace quillon {

SignatureIndex::SignatureIndex(TextView prefix, TextView suffix, const Lines& names)
    : prefix_(prefix), suffix_(suffix) {
  // Sorted views instead of hashed copies: no allocation per name, and the
  // index goes away as two vectors.
  wanted_.assign(names.begin(), names.end());
  std::sort(wanted_.begin(), wanted_.end());
  wanted_.erase(std::unique(wanted_.begin(), wanted_.end()), wanted_.end());
  found_.assign(wanted_.size(), false);
  for (TextView name : wanted_) lengths_.push_back(name.size());
  std::sort(lengths_.begin(), lengths_.end());
  lengths_.erase(std::unique(lengths_.begin(), lengths_.end()), lengths_.end());
}

size_t SignatureIndex::WantedIndex(TextView name) const {
  const auto it = std::lower_bound(wanted_.begin(), wanted_.end(), name);
  if (it == wanted_.end() || *it != name) return wanted_.size();
  return static_cast<size_t>(it - wanted_.begin());
}

bool SignatureIndex::Contains(TextView name) const {
  const size_t i = WantedIndex(name);
  return i < wanted_.size() && found_[i];
}

// A line contains prefix + name + suffix exactly when, at some occurrence of
// the prefix, the text after it starts with name + suffix. Only the lengths
// of wanted names need trying at each occurrence.
void SignatureIndex::AddLine(TextView line) {
  if (prefix_.empty() || wanted_.empty()) return;
  for (size_t at = line.find(prefix_); at != TextView::npos; at = line.find(prefix_, at + 1)) {
    const size_t name_start = at + prefix_.size();
    const size_t room = line.size() - name_start;
    for (size_t length : lengths_) {
      if (length + suffix_.size() > room) break;  // lengths ascend
      if (line.compare(name_start + length, suffix_.size(), suffix_) != 0) continue;
      const size_t i = WantedIndex(line.substr(name_start, length));
      if (i < wanted_.size()) found_[i] = true;
    }
  }
}

void SignatureIndex::AddLines(const Lines& lines) {
  for (const Text& line : lines) AddLine(line);
}

}  // namespace quillon
