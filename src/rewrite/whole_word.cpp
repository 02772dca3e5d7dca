#include "rewrite/whole_word.h"

#include <algorithm>

namespace quillon {

Text ReplaceWholeWord(TextView line, TextView find, TextView replacement) {
  Text result(line);
  if (find.empty()) return result;
  Text upper = Upper(result);
  const Text upper_find = Upper(find);
  const size_t n = upper_find.size();
  size_t from = 0;
  for (;;) {
    const size_t at = upper.find(upper_find, from);
    if (at == Text::npos) return result;
    const bool left = at == 0 || !IsUpperWordChar(upper[at - 1]);
    const bool right = at + n >= upper.size() || !IsUpperWordChar(upper[at + n]);
    if (left && right) {
      result.replace(at, n, replacement);
      upper.replace(at, n, Upper(replacement));
      from = at + std::max<size_t>(1, replacement.size());
    } else {
      from = at + 1;
    }
  }
}

}  // namespace quillon
