#include "rewrite/source_passes.h"

#include <array>

#include "rewrite/prefix_rule.h"
#include "rewrite/whole_word_replacer.h"

namespace quillon {

namespace {

Text Join(TextView a, TextView b, TextView c = U"") { return Concat({a, b, c}); }

using UserCodeLists = std::array<Lines*, 5>;

// The five lists that carry the user's code, in the order the rules visit them.
UserCodeLists UserCode(AnalysisModel& a) {
  return {&a.main_lines, &a.event_menu_lines, &a.event_gadget_lines, &a.event_window_lines, &a.event_designer_lines};
}

void ApplyToLines(const WholeWordReplacer& replacer, Lines& lines) {
  if (replacer.Empty()) return;
  for (Text& line : lines) replacer.Apply(line);
}

void ApplyToLists(const WholeWordReplacer& replacer, const UserCodeLists& lists) {
  for (Lines* lines : lists) ApplyToLines(replacer, *lines);
}

}  // namespace

void UpdatePrefixes(const std::vector<Replacement>& replacements, AnalysisModel& a, const WindowPrefixGuard& guard) {
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const Lines extending = guard.ExtendingWindows(r.old_name);
    const TextView o = r.old_name;
    const TextView n = r.new_name;
    auto rule = [&](TextView head, Lines& lines) {
      ApplyPrefixRule(PrefixRule{Join(head, o, U"_"), Join(head, n, U"_"), head.size(), &extending}, lines);
    };
    rule(U"EventMenu_", a.event_menu_lines);
    rule(U"EventGadget_", a.event_gadget_lines);
    rule(U"EventSize_", a.event_window_lines);
    rule(U"EventExit_", a.event_window_lines);
    for (Lines* lines : UserCode(a)) rule(U"#", *lines);
  }
}

void UpdateProcedures(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  // One list of replacements per file; within a file, in record order.
  WholeWordReplacer menu;
  WholeWordReplacer gadget;
  WholeWordReplacer window;
  for (const Replacement& r : replacements) {
    const TextView o = r.old_name;
    const TextView n = r.new_name;
    switch (r.kind) {
      case kKindMenuItem: menu.Add(Join(U"EventMenu_", o), Join(U"EventMenu_", n)); break;
      case kKindGadget: gadget.Add(Join(U"EventGadget_", o), Join(U"EventGadget_", n)); break;
      case kKindWindow:
        window.Add(Join(U"EventSize_", o), Join(U"EventSize_", n));
        window.Add(Join(U"EventExit_", o), Join(U"EventExit_", n));
        break;
      default: break;  // bars have no event procedures of their own
    }
  }
  ApplyToLines(menu, a.event_menu_lines);
  ApplyToLines(gadget, a.event_gadget_lines);
  ApplyToLines(window, a.event_window_lines);
}

void UpdateConstants(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  WholeWordReplacer constants;
  for (const Replacement& r : replacements) constants.Add(Join(U"#", r.old_name), Join(U"#", r.new_name));
  ApplyToLists(constants, UserCode(a));
}

void UpdateOpenWindows(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  WholeWordReplacer calls;
  for (const Replacement& r : replacements) {
    if (r.kind == kKindWindow) calls.Add(Join(U"Open_", r.old_name, U"()"), Join(U"Open_", r.new_name, U"()"));
  }
  ApplyToLists(calls, UserCode(a));
}

void UpdateVariables(const VariableRenames& variables, AnalysisModel& a) {
  for (Lines* lines : UserCode(a)) variables.Apply(*lines);
}

}  // namespace quillon
