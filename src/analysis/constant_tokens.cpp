#include "analysis/constant_tokens.h"

namespace quillon {

void FindConstantTokens(TextView line, std::vector<ConstantToken>* tokens) {
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ';') return;  // the rest of the line is a comment
    if (c == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == TextView::npos) return;  // an open string runs to the end
      i = close + 1;
      continue;
    }
    ConstantToken token;
    if (c != '#' || !ConstantTokenAt(line, i, &token)) {
      ++i;
      continue;
    }
    tokens->push_back(token);
    i = token.hash + 1 + token.length;
  }
}

bool ConstantTokenAt(TextView line, size_t at, ConstantToken* token) {
  if (at + 1 >= line.size() || line[at] != '#' || !IsNameStart(line[at + 1])) return false;
  size_t end = at + 1;
  while (end < line.size() && IsNameChar(line[end])) ++end;
  token->hash = at;
  token->length = end - at - 1;
  token->string_constant = end < line.size() && line[end] == '$';
  return true;
}

bool BeginsWithKeyword(TextView upper_line, TextView keyword) {
  const size_t start = SkipBlanksAndTabs(upper_line);
  if (start == TextView::npos || upper_line.compare(start, keyword.size(), keyword) != 0) return false;
  const size_t next = start + keyword.size();
  return next == upper_line.size() || !IsNameChar(upper_line[next]);
}

bool IsEnumerationStart(TextView upper_line) {
  return BeginsWithKeyword(upper_line, "ENUMERATION") || BeginsWithKeyword(upper_line, "ENUMERATIONBINARY");
}

bool IsEnumerationEnd(TextView upper_line) { return BeginsWithKeyword(upper_line, "ENDENUMERATION"); }

bool ConstantDefinitions::Find(const Text& line, ConstantToken* defined) {
  UpperInto(line, &upper_);
  if (in_enumeration_) {
    if (IsEnumerationEnd(upper_)) {
      in_enumeration_ = false;
      return false;
    }
  } else if (IsEnumerationStart(upper_)) {
    in_enumeration_ = true;
    return false;
  }
  const size_t start = SkipBlanksAndTabs(line);
  if (start == Text::npos || line[start] != '#') return false;
  tokens_.clear();
  FindConstantTokens(line, &tokens_);
  if (tokens_.empty() || tokens_.front().hash != start) return false;
  *defined = tokens_.front();
  if (in_enumeration_) return true;
  size_t after = defined->hash + 1 + defined->length + (defined->string_constant ? 1 : 0);
  while (after < line.size() && (line[after] == ' ' || line[after] == '\t')) ++after;
  return after < line.size() && line[after] == '=';
}

bool IsPureBasicConstantName(TextView name) {
  return name.size() >= 3 && UpperChar(name[0]) == 'P' && UpperChar(name[1]) == 'B' && name[2] == '_';
}

}  // namespace quillon
