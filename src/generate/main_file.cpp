#include "generate/main_file.h"

#include <algorithm>

namespace quillon {

namespace {

constexpr TextView kWindowTest = "If WindowID(#";

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// Where the line's code ends: before its ";" comment and the blanks and tabs
// in front of it (the line's length when there is no comment).
size_t CodeEnd(TextView line) {
  size_t end = std::min(line.find(';'), line.size());
  while (end > 0 && IsBlankOrTab(line[end - 1])) --end;
  return end;
}

// True when the line's code is a window test and nothing else:
// "If WindowID(#" + a name without blanks and parentheses + ")".
bool IsWindowTest(TextView line) {
  TextView code = line.substr(0, CodeEnd(line));
  while (!code.empty() && IsBlankOrTab(code.front())) code.remove_prefix(1);
  if (code.size() <= kWindowTest.size() + 1 || code.substr(0, kWindowTest.size()) != kWindowTest ||
      code.back() != ')') {
    return false;
  }
  const TextView name = code.substr(kWindowTest.size(), code.size() - kWindowTest.size() - 1);
  return name.find_first_of(" ()") == TextView::npos;
}

}  // namespace

void AdjustMainFile(AnalysisModel& model) {
  if (model.windows.empty()) return;
  const Text& first = model.windows.front();
  const Text call = Text("Open_") + first + "()";
  constexpr TextView kPlaceholder = "Open_WindowXY()";
  for (Text& line : model.main_lines) {
    if (line.find(kPlaceholder) != Text::npos) {
      line = ReplaceNoCase(line, kPlaceholder, call);
    } else if (IsWindowTest(line)) {
      // A comment behind the test is the user's: it stays.
      line = Concat({"  If WindowID(#", first, ")", TextView(line).substr(CodeEnd(line))});
      return;
    }
  }
}

}  // namespace quillon
