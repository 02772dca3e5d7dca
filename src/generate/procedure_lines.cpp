#include "generate/procedure_lines.h"

namespace quillon {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The name after a procedure keyword: an optional type (".i", ".s" ...),
// blanks and tabs, an optional "*", then the name itself.
TextView NameAfterKeyword(TextView statement, TextView first_word) {
  size_t at = statement.find(first_word) + first_word.size();
  if (at < statement.size() && statement[at] == '.') {
    ++at;
    while (at < statement.size() && IsNameChar(statement[at])) ++at;
  }
  while (at < statement.size() && IsBlank(statement[at])) ++at;
  if (at < statement.size() && statement[at] == '*') ++at;
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

TextView DeclaredProcedureName(TextView line) {
  std::vector<TextView> statements;
  SplitStatements(line, &statements);
  if (statements.size() != 1) return {};
  const TextView word = FirstWordOf(statements[0]);
  if (!IsOneOf(word, {"DECLARE", "DECLAREC", "DECLAREDLL", "DECLARECDLL"})) return {};
  return NameAfterKeyword(statements[0], word);
}

TextView DefinedProcedureName(TextView line) {
  const TextView code = CodeOfLine(line);
  const TextView word = FirstWordOf(code);
  if (!IsOneOf(word, {"PROCEDURE", "PROCEDUREC", "PROCEDUREDLL", "PROCEDURECDLL"})) return {};
  return NameAfterKeyword(code, word);
}

Text ProcedureLineOfDeclare(TextView line) {
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  TextView declare = line.substr(start);
  const size_t comment = CodeEnd(declare);
  if (comment < declare.size()) {
    declare = declare.substr(0, comment);
    while (!declare.empty() && IsBlank(declare.back())) declare.remove_suffix(1);
  }
  if (declare.size() < 7) return Text(declare);
  return Concat({"Procedure", declare.substr(7)});
}

}  // namespace quillon
