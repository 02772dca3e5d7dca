// Whole-word, case-insensitive replacement used by the renaming passes.
#pragma once

#include "text/text.h"

namespace quillon {

// ASCII letters, digits and "_" in upper-cased text; everything else,
// letters outside ASCII included, is a word boundary.
inline bool IsUpperWordChar(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'_';
}

// Every occurrence of `find` (compared upper-cased) with a boundary on both
// sides is replaced by `replacement` as given. The search resumes after the
// inserted text (at least one character after the match start), so a
// replacement that contains `find` is never examined again. An empty `find`
// changes nothing.
Text ReplaceWholeWord(TextView line, TextView find, TextView replacement);

}  // namespace quillon
