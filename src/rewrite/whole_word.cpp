#include "rewrite/whole_word.h"

namespace quillon {

bool ReplaceWholeWordUpper(TextView line, TextView upper_line, TextView upper_find, TextView replacement, Text* out) {
  const size_t n = upper_find.size();
  if (n == 0) return false;
  // The result is built once, left to right: `copied` is where the part of
  // the line not yet in `out` starts. A match right after an inserted text
  // sees the inserted text's last character as its left neighbour, as it
  // would if the replacement were made in the line itself.
  size_t copied = 0;
  size_t from = 0;
  bool replaced = false;
  for (;;) {
    const size_t at = upper_line.find(upper_find, from);
    if (at == TextView::npos) break;
    bool left = true;
    if (at > copied) {
      left = !IsUpperWordChar(upper_line[at - 1]);
    } else if (replaced && !out->empty()) {
      left = !IsUpperWordChar(UpperChar(out->back()));
    }
    const bool right = at + n >= upper_line.size() || !IsUpperWordChar(upper_line[at + n]);
    if (!(left && right)) {
      from = at + 1;
      continue;
    }
    if (!replaced) {
      out->clear();
      out->reserve(line.size() + replacement.size());
      replaced = true;
    }
    out->append(line.substr(copied, at - copied));
    out->append(replacement);
    copied = at + n;
    // The search resumes after the inserted text; after an empty one, one
    // character later, so that the search always moves on.
    from = replacement.empty() ? at + n + 1 : at + n;
  }
  if (replaced) out->append(line.substr(copied));
  return replaced;
}

Text ReplaceWholeWord(TextView line, TextView find, TextView replacement) {
  Text out;
  if (ReplaceWholeWordUpper(line, Upper(line), Upper(find), replacement, &out)) return out;
  return Text(line);
}

}  // namespace quillon
