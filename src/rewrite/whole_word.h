// Whole-word, case-insensitive replacement used by the renaming passes.
#pragma once

#include "text/text.h"

namespace quillon {

// Every occurrence of `find` (compared upper-cased) with a boundary on both
// sides is replaced by `replacement` as given. The search resumes after the
// inserted text (at least one character after the match start), so a
// replacement that contains `find` is never examined again. An empty `find`
// changes nothing.
// The search is linear in the line: the result is built once.
Text ReplaceWholeWord(TextView line, TextView find, TextView replacement);

// The same on an upper-cased line and `find`: true, with the result in
// `out`, when some occurrence was replaced; false, `out` untouched, when none.
bool ReplaceWholeWordUpper(TextView line, TextView upper_line, TextView upper_find, TextView replacement, Text* out);

}  // namespace quillon
