#include "rewrite/prefix_rule.h"

namespace quillon {

bool ApplyPrefixRule(const PrefixRule& rule, Text& line) {
  // Most lines hold no occurrence: they are looked at without a copy.
  if (rule.find.empty() || !ContainsNoCase(line, rule.find)) return false;
  const Text upper_line = Upper(line);
  const Text upper_find = Upper(rule.find);
  const bool guarded = rule.extending != nullptr && !rule.extending->empty();
  Text out;
  bool replaced = false;
  size_t copied = 0;
  size_t from = 0;
  for (;;) {
    const size_t at = upper_line.find(upper_find, from);
    if (at == Text::npos) break;
    if (guarded && WindowPrefixGuard::BeginsOneOf(upper_line, at + rule.name_offset, *rule.extending)) {
      from = at + 1;
      continue;
    }
    out.append(line, copied, at - copied);
    out.append(rule.replacement);
    copied = at + upper_find.size();
    from = copied;
    replaced = true;
  }
  if (!replaced) return false;
  out.append(line, copied, Text::npos);
  if (out == line) return false;
  line.swap(out);
  return true;
}

long ApplyPrefixRule(const PrefixRule& rule, Lines& lines) {
  long changes = 0;
  for (Text& line : lines) changes += ApplyPrefixRule(rule, line) ? 1 : 0;
  return changes;
}

long ApplyPrefixRule(const PrefixRule& rule, LineStore& lines) {
  return EditEachLine(lines, [&](Text& line) { return ApplyPrefixRule(rule, line) ? 1L : 0L; });
}

}  // namespace quillon
