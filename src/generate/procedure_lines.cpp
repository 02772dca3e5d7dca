#include "generate/procedure_lines.h"

namespace quillon {

namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t'; }

// Index of the first ";" outside string literals, or the line's length.
size_t CommentStart(TextView line) {
  bool in_string = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == U'"') in_string = !in_string;
    if (line[i] == U';' && !in_string) return i;
  }
  return line.size();
}

// The name after a procedure keyword: an optional type (".i", ".s" ...),
// blanks and tabs, an optional "*", then the name itself.
TextView NameAfterKeyword(TextView statement, TextView first_word) {
  size_t at = statement.find(first_word) + first_word.size();
  if (at < statement.size() && statement[at] == U'.') {
    ++at;
    while (at < statement.size() && IsNameChar(statement[at])) ++at;
  }
  while (at < statement.size() && IsBlank(statement[at])) ++at;
  if (at < statement.size() && statement[at] == U'*') ++at;
  size_t end = at;
  while (end < statement.size() && IsNameChar(statement[end])) ++end;
  return statement.substr(at, end - at);
}

bool IsOneOf(TextView word, std::initializer_list<TextView> upper_words) {
  const Text upper = Upper(word);
  for (TextView candidate : upper_words) {
    if (upper == candidate) return true;
  }
  return false;
}

}  // namespace

bool IsNameChar(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'_' || c > 0x7F;
}

TextView CodeOfLine(TextView line) { return line.substr(0, CommentStart(line)); }

std::vector<TextView> StatementsOf(TextView code) {
  std::vector<TextView> statements;
  bool in_string = false;
  size_t start = 0;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] == U'"') in_string = !in_string;
    if (code[i] == U':' && !in_string) {
      statements.push_back(code.substr(start, i - start));
      start = i + 1;
    }
  }
  statements.push_back(code.substr(start));
  return statements;
}

TextView FirstWordOf(TextView code) {
  size_t a = 0;
  while (a < code.size() && IsBlank(code[a])) ++a;
  size_t b = a;
  while (b < code.size() && !IsBlank(code[b]) && code[b] != U'.' && code[b] != U'(' && code[b] != U';' &&
         code[b] != U':') {
    ++b;
  }
  return code.substr(a, b - a);
}

TextView DeclaredProcedureName(TextView line) {
  const std::vector<TextView> statements = StatementsOf(CodeOfLine(line));
  if (statements.size() != 1) return {};
  const TextView word = FirstWordOf(statements[0]);
  if (!IsOneOf(word, {U"DECLARE", U"DECLAREC", U"DECLAREDLL", U"DECLARECDLL"})) return {};
  return NameAfterKeyword(statements[0], word);
}

TextView DefinedProcedureName(TextView line) {
  const TextView code = CodeOfLine(line);
  const TextView word = FirstWordOf(code);
  if (!IsOneOf(word, {U"PROCEDURE", U"PROCEDUREC", U"PROCEDUREDLL", U"PROCEDURECDLL"})) return {};
  return NameAfterKeyword(code, word);
}

Text ProcedureLineOfDeclare(TextView line) {
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  TextView declare = line.substr(start);
  const size_t comment = CommentStart(declare);
  if (comment < declare.size()) {
    declare = declare.substr(0, comment);
    while (!declare.empty() && IsBlank(declare.back())) declare.remove_suffix(1);
  }
  if (declare.size() < 7) return Text(declare);
  return Concat({U"Procedure", declare.substr(7)});
}

}  // namespace quillon
