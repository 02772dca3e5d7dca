#include "rewrite/source_passes.h"

#include <array>

#include "rewrite/whole_word.h"

namespace quillon {

namespace {

using ReplaceFn = Text (*)(TextView line, TextView find, TextView replacement);

Text Join(TextView a, TextView b, TextView c = U"") {
  Text out(a);
  out.append(b);
  out.append(c);
  return out;
}

void ApplyToLines(ReplaceFn replace, TextView find, TextView replacement, Lines& lines) {
  for (Text& line : lines) line = replace(line, find, replacement);
}

using UserCodeLists = std::array<Lines*, 4>;

// The four lists that carry the user's code, in the order the rules visit them.
UserCodeLists UserCode(AnalysisModel& a) {
  return {&a.main_lines, &a.event_menu_lines, &a.event_gadget_lines, &a.event_window_lines};
}

// One rule: `find` becomes `replacement` in each list, list by list.
void ApplyToLists(ReplaceFn replace, TextView find, TextView replacement, const UserCodeLists& lists) {
  for (Lines* lines : lists) ApplyToLines(replace, find, replacement, *lines);
}

}  // namespace

void UpdatePrefixes(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const TextView o = r.old_name;
    const TextView n = r.new_name;
    ApplyToLines(ReplaceNoCase, Join(U"EventMenu_", o, U"_"), Join(U"EventMenu_", n, U"_"), a.event_menu_lines);
    ApplyToLines(ReplaceNoCase, Join(U"EventGadget_", o, U"_"), Join(U"EventGadget_", n, U"_"),
                 a.event_gadget_lines);
    ApplyToLines(ReplaceNoCase, Join(U"EventSize_", o, U"_"), Join(U"EventSize_", n, U"_"), a.event_window_lines);
    ApplyToLines(ReplaceNoCase, Join(U"EventExit_", o, U"_"), Join(U"EventExit_", n, U"_"), a.event_window_lines);
    ApplyToLists(ReplaceNoCase, Join(U"#", o, U"_"), Join(U"#", n, U"_"), UserCode(a));
  }
}

void UpdateProcedures(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  for (const Replacement& r : replacements) {
    const TextView o = r.old_name;
    const TextView n = r.new_name;
    switch (r.kind) {
      case kKindMenuItem:
        ApplyToLines(ReplaceWholeWord, Join(U"EventMenu_", o), Join(U"EventMenu_", n), a.event_menu_lines);
        break;
      case kKindGadget:
        ApplyToLines(ReplaceWholeWord, Join(U"EventGadget_", o), Join(U"EventGadget_", n), a.event_gadget_lines);
        break;
      case kKindWindow:
        ApplyToLines(ReplaceWholeWord, Join(U"EventSize_", o), Join(U"EventSize_", n), a.event_window_lines);
        ApplyToLines(ReplaceWholeWord, Join(U"EventExit_", o), Join(U"EventExit_", n), a.event_window_lines);
        break;
      default:
        break;  // bars have no event procedures of their own
    }
  }
}

void UpdateConstants(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  for (const Replacement& r : replacements) {
    ApplyToLists(ReplaceWholeWord, Join(U"#", r.old_name), Join(U"#", r.new_name), UserCode(a));
  }
}

void UpdateOpenWindows(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    ApplyToLists(ReplaceWholeWord, Join(U"Open_", r.old_name, U"()"), Join(U"Open_", r.new_name, U"()"),
                 UserCode(a));
  }
}

}  // namespace quillon
