#include "rewrite/variable_renames.h"

#include <unordered_set>

#include "generate/procedure_lines.h"

namespace quillon {

namespace {

bool HasUpperPrefix(TextView upper_name, TextView upper_prefix) {
  return upper_name.size() > upper_prefix.size() && upper_name.substr(0, upper_prefix.size()) == upper_prefix;
}

// The name without the longest window prefix that begins it.
Text VariableOf(const Text& name, int kind, const std::vector<Text>& upper_prefixes) {
  if (kind == kKindWindow) return name;
  const Text upper = Upper(name);
  size_t longest = 0;
  for (const Text& prefix : upper_prefixes) {
    if (prefix.size() > longest && HasUpperPrefix(upper, prefix)) longest = prefix.size();
  }
  return name.substr(longest);
}

bool IsExcludedBefore(char c) { return IsNameChar(c) || c == '#' || c == '.' || c == '\\' || c == '*' || c == '@'; }

bool IsExcludedAfter(TextView line, size_t end) {
  if (end == line.size()) return false;
  const char c = line[end];
  if (IsNameChar(c) || c == '$' || c == '\\') return true;
  const size_t next = SkipBlanksAndTabs(line, end);
  return next != TextView::npos && line[next] == '(';
}

}  // namespace

VariableRenames::VariableRenames(const std::vector<Replacement>& replacements, const AnalysisModel& model,
                                 const Lines& saved_windows) {
  std::vector<Text> upper_prefixes;
  for (const Lines* windows : {&model.windows, &saved_windows}) {
    for (const Text& window : *windows) upper_prefixes.push_back(Upper(window) + "_");
  }
  std::unordered_set<Text> upper_pb_any;
  for (const Text& name : model.pb_any_objects) upper_pb_any.insert(Upper(name));
  for (const Replacement& r : replacements) {
    if (!upper_pb_any.count(Upper(r.new_name))) continue;
    Text old_variable = Upper(VariableOf(r.old_name, r.kind, upper_prefixes));
    Text new_variable = VariableOf(r.new_name, r.kind, upper_prefixes);
    if (old_variable.empty() || old_variable == Upper(new_variable)) continue;
    pairs_.push_back({std::move(old_variable), std::move(new_variable)});
  }
}

long VariableRenames::Apply(Text& line) const {
  long changed = 0;
  Text upper = Upper(line);  // upper-casing keeps every position (one character for one)
  for (const Pair& pair : pairs_) {
    Text out;
    size_t copied = 0;
    for (size_t at = upper.find(pair.upper_old); at != Text::npos; at = upper.find(pair.upper_old, at + 1)) {
      const size_t end = at + pair.upper_old.size();
      if (at < copied || (at > 0 && IsExcludedBefore(line[at - 1])) || IsExcludedAfter(line, end)) continue;
      out.append(line, copied, at - copied);
      out += pair.new_name;
      copied = end;
    }
    if (copied == 0) continue;
    out.append(line, copied, Text::npos);
    line = std::move(out);
    upper = Upper(line);
    ++changed;
  }
  return changed;
}

long VariableRenames::Apply(Lines& lines) const {
  long changed = 0;
  if (pairs_.empty()) return changed;
  for (Text& line : lines) changed += Apply(line);
  return changed;
}

long VariableRenames::Apply(LineStore& lines) const {
  if (pairs_.empty()) return 0;
  return EditEachLine(lines, [&](Text& line) { return Apply(line); });
}

}  // namespace quillon
