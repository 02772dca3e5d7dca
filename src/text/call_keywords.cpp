#include "text/call_keywords.h"

#include <cstring>

namespace quillon {

uint32_t CallKeywords::In(TextView upper_line) const {
  uint32_t found = 0;
  const char* const line = upper_line.data();
  const size_t size = upper_line.size();
  if (size == 0) return found;  // an empty view may hold a null pointer, which memchr must not get
  for (const char* at = static_cast<const char*>(std::memchr(line, '(', size)); at != nullptr;
       at = static_cast<const char*>(std::memchr(at + 1, '(', size - static_cast<size_t>(at + 1 - line)))) {
    const size_t p = static_cast<size_t>(at - line);
    // The byte in front of the "(" turns most keywords away unread.
    uint32_t candidates = paren_first_ | (p > 0 ? by_byte_before_[static_cast<unsigned char>(line[p - 1])] : 0);
    for (candidates &= ~found; candidates != 0; candidates &= candidates - 1) {
      const unsigned i = static_cast<unsigned>(__builtin_ctz(candidates));
      const Keyword& k = keywords_[i];
      if (p < k.paren || size - (p - k.paren) < k.text.size()) continue;
      if (std::memcmp(line + p - k.paren, k.text.data(), k.text.size()) == 0) found |= 1u << i;
    }
  }
  return found;
}

}  // namespace quillon
