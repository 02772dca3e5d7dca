#include "analysis/form_rewrites.h"

#include "analysis/pb_any_objects.h"

namespace quillon {

namespace {

constexpr TextView kOpenWindow = "OPENWINDOW(#";

// Splits at every "," into exactly ten fields (no trimming; missing ones empty).
std::vector<Text> TenFields(const Text& arguments) {
  std::vector<Text> fields;
  size_t start = 0;
  while (fields.size() < 10) {
    const size_t comma = arguments.find(',', start);
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
    if (i > 0) out += ',';
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
    const long a = Position(line, '(') + 1;
    if (!found_first) {
      found_first = true;
      const long b = Position(line, ',');
      parent = TrimBlanks(Mid(line, a, b - a));
      continue;
    }
    const long b = LastPosition(line, ')');
    // Without a closing parenthesis (a call continued on the next line) the
    // tail rule would repeat the whole line; leave such a line alone.
    if (b == 0) continue;
    const std::vector<Text> fields = TenFields(Mid(line, a, b - a));
    Text arguments;
    if (fields[6].empty()) {
      arguments = JoinFields(fields, 6) + ", PB_Any, WindowID(" + parent + ")";
    } else {
      arguments = JoinFields(fields, 7) + ", WindowID(" + parent + ")";
    }
    // The whole tail from the last ")" on stays.
    line = Left(line, a - 1) + arguments + Mid(line, b);
  }
}

void SetAutomaticPositions(Workspace& ws) {
  for (Text& line : ws.analysis.form_code) {
    if (!ContainsNoCase(line, kOpenWindow)) continue;
    const long c1 = Position(line, ',') + 1;
    const long c2 = Position(line, ',', c1) + 1;
    const long c3 = Position(line, ',', c2) + 1;
    line = Left(line, c1 - 1) + " #PB_Ignore, #PB_Ignore," + Mid(line, c3);
  }
}

void ConvertMenuTabs(Workspace& ws) {
  for (Text& line : ws.analysis.form_code) {
    if (ContainsNoCase(line, "MENUITEM(#")) line = ReplaceAll(line, "\\t", "\" + #TAB$ + \"");
  }
}

void SetImageGadgetsToZero(Workspace& ws) {
  for (Text& line : ws.analysis.form_code) {
    const long s = PositionNoCase(line, "IMAGEGADGET(#");
    if (s == 0) continue;
    long p = s;
    for (int i = 0; i < 5; ++i) p = Position(line, ',', p) + 1;
    // A gadget made from a #PB_Any variable keeps its " : V = #V" tail.
    const long name = s + 13;  // after "ImageGadget(#"
    const Text gadget = TrimBlanksAndTabs(Mid(line, name, Position(line, ',', name) - name));
    const size_t tail = PbAnyTail(line, gadget);
    line = Left(line, p) + "0)" + (tail == Text::npos ? Text() : line.substr(tail));
  }
}

}  // namespace quillon
