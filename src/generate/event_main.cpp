#include "generate/event_main.h"

#include <algorithm>
#include <utility>

#include "generate/event_files.h"

namespace quillon {

namespace {

// Index of the first line containing `marker` at or after `from`, or npos.
size_t FindLine(const Lines& lines, TextView marker, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i) {
    if (lines[i].find(marker) != Text::npos) return i;
  }
  return Text::npos;
}

void ReplaceMarkedLine(Lines& lines, TextView marker, Text replacement) {
  const size_t at = FindLine(lines, marker);
  if (at != Text::npos) lines[at] = std::move(replacement);
}

Text Joined(TextView a, TextView b, TextView c = "") { return Concat({a, b, c}); }

// Inserts `block` after the line at `select` (a dispatcher's "Select" line).
void InsertAfter(Lines& lines, size_t select, Lines block) {
  if (select == Text::npos || select >= lines.size()) return;
  lines.insert(lines.begin() + static_cast<long>(select + 1), std::make_move_iterator(block.begin()),
               std::make_move_iterator(block.end()));
}

// The "Select" line of the dispatcher whose name first occurs in `marker`'s line.
size_t SelectLineOf(const Lines& lines, TextView marker) {
  const size_t at = FindLine(lines, marker);
  return at == Text::npos ? Text::npos : at + 1;
}

}  // namespace

void FillCallTables(AnalysisModel& model) {
  Lines& lines = model.event_main_lines;
  ReplaceMarkedLine(lines, "#CallEventMenuCount = 0",
                    Joined("#CallEventMenuCount   = ", ToText(static_cast<long long>(model.menu_items.size()))));
  ReplaceMarkedLine(lines, "#CallEventGadgetCount = 0",
                    Joined("#CallEventGadgetCount = ", ToText(static_cast<long long>(model.gadgets.size()))));
  ReplaceMarkedLine(lines, "#CallEventWindowCount = 0",
                    Joined("#CallEventWindowCount = ", ToText(static_cast<long long>(model.windows.size()))));

  const size_t data = FindLine(lines, "DataSection");
  if (data == Text::npos) return;
  // The position of an entry equals its constant's value, so every gadget
  // needs a slot; text and frame gadgets point at the empty dispatcher.
  Lines tables;
  tables.reserve(model.menu_items.size() + model.gadgets.size() + 2 * model.windows.size() + 4);
  tables.emplace_back("  CallEventMenu:");
  for (const Text& name : model.menu_items) tables.push_back(Joined("    Data.i @EventMenu_", name, "()"));
  tables.emplace_back("  CallEventGadget:");
  for (const GadgetRecord& gadget : model.gadgets) {
    tables.push_back(IsPassiveGadget(gadget) ? Text("    Data.i @MyEventDispatch()")
                                             : Joined("    Data.i @EventGadget_", gadget.name, "()"));
  }
  tables.emplace_back("  CallEventSize:");
  for (const Text& name : model.windows) tables.push_back(Joined("    Data.i @EventSize_", name, "()"));
  tables.emplace_back("  CallEventExit:");
  for (const Text& name : model.windows) tables.push_back(Joined("    Data.i @EventExit_", name, "()"));
  lines.insert(lines.begin() + static_cast<long>(data + 1), std::make_move_iterator(tables.begin()),
               std::make_move_iterator(tables.end()));
}

void FillDispatchers(AnalysisModel& model) {
  Lines& lines = model.event_main_lines;
  auto case_line = [](const Text& name, TextView procedure, TextView parameters) {
    Text line = Joined("    Case #", name, " : ");
    line += procedure;
    line += name;
    line += parameters;
    return line;
  };
  // All four dispatchers are located before anything is inserted, so that a
  // constant whose name contains a dispatcher name cannot draw the Case lines
  // of another dispatcher into its own block.
  const size_t menu_select = SelectLineOf(lines, "MyEventMenu");
  const size_t gadget_select = SelectLineOf(lines, "MyEventGadget");
  const size_t size_select = SelectLineOf(lines, "MyEventSize");
  const size_t exit_select = SelectLineOf(lines, "MyEventExit");

  Lines menus;
  for (const Text& name : model.menu_items) menus.push_back(case_line(name, "EventMenu_", "()"));
  Lines gadgets;
  for (const GadgetRecord& gadget : model.gadgets) {
    if (!IsPassiveGadget(gadget)) gadgets.push_back(case_line(gadget.name, "EventGadget_", "(EventType)"));
  }
  Lines sizes;
  Lines exits;
  for (const Text& name : model.windows) {
    sizes.push_back(case_line(name, "EventSize_", "()"));
    exits.push_back(case_line(name, "EventExit_", "()"));
  }
  // Bottom-up, so the positions found above stay valid.
  std::vector<std::pair<size_t, Lines*>> blocks = {
      {menu_select, &menus}, {gadget_select, &gadgets}, {size_select, &sizes}, {exit_select, &exits}};
  std::stable_sort(blocks.begin(), blocks.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (auto& [select, block] : blocks) InsertAfter(lines, select, std::move(*block));
}

}  // namespace quillon
