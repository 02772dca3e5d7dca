// Which of a set of call keywords ("OPENWINDOW(#", "MDIGADGET(") a line
// holds, found in one pass over the line's "(": every keyword holds a "(",
// and an occurrence lines it up with a "(" of the line, so those are the
// only places to compare at. A pass that tests a dozen keywords per line
// reads the line once instead of once per keyword; the answer is the one a
// substring search per keyword gives.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "text/text.h"

namespace quillon {

class CallKeywords {
 public:
  // At most 32 upper-case keywords, each holding a "(": constant, built when
  // the program is compiled (a keyword without "(" or a 33rd does not
  // compile). Their characters are not copied: string literals.
  constexpr CallKeywords(std::initializer_list<TextView> keywords) {
    for (const TextView keyword : keywords) {
      const size_t paren = keyword.find('(');
      const uint32_t bit = 1u << count_;
      if (paren == 0) {
        paren_first_ |= bit;
      } else {
        by_byte_before_[static_cast<unsigned char>(keyword[paren - 1])] |= bit;
      }
      keywords_[count_++] = {keyword, paren};
    }
  }

  // Bit i is set when `upper_line` (an upper-cased line) holds keywords[i].
  uint32_t In(TextView upper_line) const;

 private:
  struct Keyword {
    TextView text;
    size_t paren = 0;  // index of its first "("
  };
  std::array<Keyword, 32> keywords_{};
  size_t count_ = 0;
  // By the byte in front of a "(": the keywords that hold that byte there;
  // and the keywords that begin with "(".
  std::array<uint32_t, 256> by_byte_before_{};
  uint32_t paren_first_ = 0;
};

// True when bit `index` of `found` is set.
inline bool Holds(uint32_t found, unsigned index) { return (found >> index) & 1u; }

}  // namespace quillon
