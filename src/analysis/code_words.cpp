#include "analysis/code_words.h"

#include "analysis/constant_tokens.h"

namespace quillon {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(TextView line, size_t i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
  return i;
}

// The end of the name starting at i (i itself when none starts there).
size_t NameEnd(TextView line, size_t i) {
  if (i >= line.size() || !IsNameStart(line[i])) return i;
  while (i < line.size() && IsNameChar(line[i])) ++i;
  return i;
}

}  // namespace

bool MatchPbAnyAssignment(TextView line, PbAnyAssignment* match) {
  constexpr TextView kPbAny = "#PB_ANY";
  const size_t v = SkipBlanks(line, 0);
  const size_t v_end = NameEnd(line, v);
  if (v_end == v) return false;
  size_t i = SkipBlanks(line, v_end);
  if (i >= line.size() || line[i] != '=') return false;
  const size_t c = SkipBlanks(line, i + 1);
  const size_t c_end = NameEnd(line, c);
  if (c_end == c || c_end >= line.size() || line[c_end] != '(') return false;
  i = c_end + 1;
  if (line.size() - i < kPbAny.size()) return false;
  for (size_t k = 0; k < kPbAny.size(); ++k) {
    if (UpperChar(line[i + k]) != kPbAny[k]) return false;
  }
  i += kPbAny.size();
  if (i < line.size() && (IsNameChar(line[i]) || line[i] == '$')) return false;
  match->indent = v;
  match->variable = line.substr(v, v_end - v);
  match->command = line.substr(c, c_end - c);
  match->rest = i;
  match->code_end = CodeEnd(line);
  return true;
}

}  // namespace quillon
