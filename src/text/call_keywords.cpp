#include "text/call_keywords.h"

#include <cassert>
#include <cstring>

namespace quillon {

CallKeywords::CallKeywords(std::initializer_list<TextView> keywords) {
  assert(keywords.size() <= 32);
  for (const TextView keyword : keywords) {
    assert(keyword.find('(') != TextView::npos && keyword.find('(') == keyword.rfind('('));
    keywords_.push_back({keyword, keyword.find('(')});
  }
}

uint32_t CallKeywords::In(TextView upper_line) const {
  uint32_t found = 0;
  const char* const line = upper_line.data();
  const size_t size = upper_line.size();
  for (const char* at = static_cast<const char*>(std::memchr(line, '(', size)); at != nullptr;
       at = static_cast<const char*>(std::memchr(at + 1, '(', size - static_cast<size_t>(at + 1 - line)))) {
    const size_t p = static_cast<size_t>(at - line);
    for (size_t i = 0; i < keywords_.size(); ++i) {
      const Keyword& k = keywords_[i];
      if (p < k.paren || size - (p - k.paren) < k.text.size()) continue;
      // The byte before the "(" turns most keywords away before a comparison.
      if (k.paren > 0 && line[p - 1] != k.text[k.paren - 1]) continue;
      if (std::memcmp(line + p - k.paren, k.text.data(), k.text.size()) == 0) found |= 1u << i;
    }
  }
  return found;
}

}  // namespace quillon
