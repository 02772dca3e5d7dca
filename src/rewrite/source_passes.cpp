#include "rewrite/source_passes.h"

#include "rewrite/prefix_rule.h"
#include "rewrite/whole_word_replacer.h"

namespace quillon {

namespace {

Text Join(TextView a, TextView b, TextView c = "") { return Concat({a, b, c}); }

// Calls `visit` with each of the five lists that carry the user's code, in
// the order the rules visit them: Main.pb, then the four event files.
template <class Visit>
void ForEachUserCodeList(AnalysisModel& a, Visit visit) {
  visit(a.main_lines);
  for (LineStore* lines :
       {&a.event_menu_lines, &a.event_gadget_lines, &a.event_window_lines, &a.event_designer_lines}) {
    visit(*lines);
  }
}

void ApplyToLines(const WholeWordReplacer& replacer, Lines& lines) {
  if (replacer.Empty()) return;
  for (Text& line : lines) replacer.Apply(line);
}

void ApplyToLines(const WholeWordReplacer& replacer, LineStore& lines) {
  if (replacer.Empty()) return;
  EditEachLine(lines, [&](Text& line) { return replacer.Apply(line); });
}

void ApplyToLists(const WholeWordReplacer& replacer, AnalysisModel& a) {
  ForEachUserCodeList(a, [&](auto& lines) { ApplyToLines(replacer, lines); });
}

}  // namespace

void UpdatePrefixes(const std::vector<Replacement>& replacements, AnalysisModel& a, const WindowPrefixGuard& guard) {
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const Lines extending = guard.ExtendingWindows(r.old_name);
    const TextView o = r.old_name;
    const TextView n = r.new_name;
    auto rule = [&](TextView head, auto& lines) {
      ApplyPrefixRule(PrefixRule{Join(head, o, "_"), Join(head, n, "_"), head.size(), &extending}, lines);
    };
    rule("EventMenu_", a.event_menu_lines);
    rule("EventGadget_", a.event_gadget_lines);
    rule("EventSize_", a.event_window_lines);
    rule("EventExit_", a.event_window_lines);
    ForEachUserCodeList(a, [&](auto& lines) { rule("#", lines); });
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
      case kKindMenuItem: menu.Add(Join("EventMenu_", o), Join("EventMenu_", n)); break;
      case kKindGadget: gadget.Add(Join("EventGadget_", o), Join("EventGadget_", n)); break;
      case kKindWindow:
        window.Add(Join("EventSize_", o), Join("EventSize_", n));
        window.Add(Join("EventExit_", o), Join("EventExit_", n));
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
  for (const Replacement& r : replacements) constants.Add(Join("#", r.old_name), Join("#", r.new_name));
  ApplyToLists(constants, a);
}

void UpdateOpenWindows(const std::vector<Replacement>& replacements, AnalysisModel& a) {
  WholeWordReplacer calls;
  for (const Replacement& r : replacements) {
    if (r.kind == kKindWindow) calls.Add(Join("Open_", r.old_name, "()"), Join("Open_", r.new_name, "()"));
  }
  ApplyToLists(calls, a);
}

void UpdateVariables(const VariableRenames& variables, AnalysisModel& a) {
  ForEachUserCodeList(a, [&](auto& lines) { variables.Apply(lines); });
}

}  // namespace quillon
