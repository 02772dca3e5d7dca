#include "generate/signature_index.h"

namespace quillon {

SignatureIndex::SignatureIndex(TextView prefix, TextView suffix, const Lines& names)
    : prefix_(prefix), suffix_(suffix) {
  for (const Text& name : names) {
    wanted_.insert(name);
    lengths_.insert(name.size());
  }
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
      Text name(line.substr(name_start, length));
      if (wanted_.count(name) != 0) found_.insert(std::move(name));
    }
  }
}

void SignatureIndex::AddLines(const Lines& lines) {
  for (const Text& line : lines) AddLine(line);
}

}  // namespace quillon
