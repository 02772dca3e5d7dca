#include "text/code_lines.h"

#include <algorithm>

namespace quillon {

size_t CodeEnd(TextView line) {
  bool in_string = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') in_string = !in_string;
    if (line[i] == ';' && !in_string) return i;
  }
  return line.size();
}

void SplitStatements(TextView line, std::vector<TextView>* statements) {
  statements->clear();
  const size_t end = CodeEnd(line);
  bool in_string = false;
  size_t start = 0;
  for (size_t i = 0; i < end; ++i) {
    if (line[i] == '"') in_string = !in_string;
    if (line[i] != ':' || in_string) continue;
    statements->push_back(line.substr(start, i - start));
    start = i + 1;
  }
  statements->push_back(line.substr(start, end - start));
}

TextView FirstWordOf(TextView statement) {
  const size_t start = std::min(SkipBlanksAndTabs(statement), statement.size());
  const size_t end = statement.find_first_of(" \t.(;:", start);
  return statement.substr(start, end == TextView::npos ? TextView::npos : end - start);
}

void FirstWordUpper(TextView statement, Text* word) { UpperInto(FirstWordOf(statement), word); }

}  // namespace quillon
