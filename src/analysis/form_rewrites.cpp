#include "analysis/form_rewrites.h"

#include "analysis/pb_any_objects.h"

namespace quillon {

namespace {

constexpr TextView kOpenWindow = U"OPENWINDOW(#";

// Splits at every "," into exactly ten fields (no trimming; missing ones empty).
std::vector<Text> TenFields(const Text& arguments) {
  std::vector<Text> fields;
  size_t start = 0;
  while (fields.size() < 10) {
    const size_t comma = arguments.find(U',', start);
    if (comma == Text::npos) {
      fields.push_back(arguments.substr(start));
      break;
    }
    fields.push_back(arguments.substr(start, comma - start));
    start = comma + 1;
  }
  fields.resize(10);
  return fields;
}

Text JoinFields(const std::vector<Text>& fields, size_t count) {
  Text out;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) out += U',';
    out += fields[i];
  }
  return out;
}

}  // namespace

void SetParentWindows(Workspace& ws) {
  bool found_first = false;
  Text parent;
  for (Text& line : ws.analysis.form_code) {
    if (!ContainsNoCase(line, kOpenWindow)) continue;
    const long a = Position(line, U'(') + 1;
    if (!found_first) {
      found_first = true;
      const long b = Position(line, U',');
      parent = TrimBlanks(Mid(line, a, b - a));
      continue;
    }
    const long b = LastPosition(line, U')');
    // Without a closing parenthesis (a call continued on the next line) the
    // tail rule would repeat the whole line; leave such a line alone.
    if (b == 0) continue;
    const std::vector<Text> fields = TenFields(Mid(line, a, b - a));
    Text arguments;
    if (fields[6].empty()) {
      arguments = JoinFields(fields, 6) + U", PB_Any, WindowID(" + parent + U")";
    } else {
      arguments = JoinFields(fields, 7) + U", WindowID(" + parent + U")";
    }
    // The whole tail from the last ")" on stays.
    line = Left(line, a - 1) + arguments + Mid(line, b);
  }
}

void SetAutomaticPositions(Workspace& ws) {
  for (Text& line : ws.analysis.form_code) {
    if (!ContainsNoCase(line, kOpenWindow)) continue;
    const long c1 = Position(line, U',') + 1;
    const long c2 = Position(line, U',', c1) + 1;
    const long c3 = Position(line, U',', c2) + 1;
    line = Left(line, c1 - 1) + U" #PB_Ignore, #PB_Ignore," + Mid(line, c3);
  }
}

void ConvertMenuTabs(Workspace& ws) {
  for (Text& line : ws.analysis.form_code) {
    if (ContainsNoCase(line, U"MENUITEM(#")) line = ReplaceAll(line, U"\\t", U"\" + #TAB$ + \"");
  }
}

void SetImageGadgetsToZero(Workspace& ws) {
  for (Text& line : ws.analysis.form_code) {
    const long s = PositionNoCase(line, U"IMAGEGADGET(#");
    if (s == 0) continue;
    long p = s;
    for (int i = 0; i < 5; ++i) p = Position(line, U',', p) + 1;
    // A gadget made from a #PB_Any variable keeps its " : V = #V" tail.
    const long name = s + 13;  // after "ImageGadget(#"
    const Text gadget = TrimBlanksAndTabs(Mid(line, name, Position(line, U',', name) - name));
    const size_t tail = PbAnyTail(line, gadget);
    line = Left(line, p) + U"0)" + (tail == Text::npos ? Text() : line.substr(tail));
  }
}

}  // namespace quillon
