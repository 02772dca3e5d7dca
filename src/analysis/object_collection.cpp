#include "analysis/object_collection.h"

#include <unordered_set>

#include "run/log_lines.h"

namespace quillon {

namespace {

// An ordered name list with a set of its upper-cased names for the
// case-insensitive duplicate check.
class NameList {
 public:
  // `expected` names (an upper bound) are room reserved up front: growing
  // the set on the way would rebuild it again and again.
  explicit NameList(Lines& names, size_t expected = 0) : names_(names) {
    seen_.reserve(names_.size() + expected);
    for (const Text& name : names_) seen_.insert(Upper(name));
  }
  // False when an equal name (ignoring case) is already in the list.
  bool Add(const Text& name) {
    if (!seen_.insert(Upper(name)).second) return false;
    names_.push_back(name);
    return true;
  }

 private:
  Lines& names_;
  std::unordered_set<Text> seen_;
};

bool ContainsAny(const Text& upper, TextView a, TextView b) {
  return ContainsUpper(upper, a) || ContainsUpper(upper, b);
}

}  // namespace

Text ObjectNameOfLine(const Text& line, bool up_to_parenthesis) {
  const long a = Position(line, U'(') + 2;
  long b = Position(line, U',');
  if (b == 0 && up_to_parenthesis) b = Position(line, U')');
  return Text(TrimmedView(MidView(line, a, b - a), U' '));
}

bool CollectObjects(Workspace& ws, RunHost& host) {
  AnalysisModel& model = ws.analysis;
  NameList windows(model.windows);
  NameList menu_bars(model.menu_bars);
  // Each line names at most one menu item or gadget.
  NameList menu_items(model.menu_items, model.form_code.size());
  NameList status_bars(model.status_bars);
  NameList tool_bars(model.tool_bars);
  std::unordered_set<Text> gadget_names(model.gadgets.size() + model.form_code.size());
  for (const GadgetRecord& gadget : model.gadgets) gadget_names.insert(Upper(gadget.name));

  // Stops the run with `message` when `name` is a duplicate.
  auto add_or_stop = [&host](NameList& list, const Text& name, Text (*message)(TextView)) {
    if (list.Add(name)) return true;
    host.AddLogLine(message(name));
    return false;
  };

  Text upper;
  Text command;
  for (const Text& line : model.form_code) {
    UpperInto(line, &upper);
    if (ContainsUpper(upper, U"OPENWINDOW(#")) {
      if (!add_or_stop(windows, ObjectNameOfLine(line, false), log::DuplicateWindow)) return false;
    } else if (ContainsAny(upper, U"CREATEMENU(#", U"CREATEPOPUPMENU(#") ||
               ContainsAny(upper, U"CREATEIMAGEMENU(#", U"CREATEPOPUPIMAGEMENU(#")) {
      if (!add_or_stop(menu_bars, ObjectNameOfLine(line, true), log::DuplicateMenu)) return false;
    } else if (ContainsUpper(upper, U"MENUITEM(#")) {
      const Text name = ObjectNameOfLine(line, false);
      if (!menu_items.Add(name)) host.AddLogLine(log::DuplicateMenuItem(name));
    } else if (ContainsUpper(upper, U"CREATESTATUSBAR(#")) {
      if (!add_or_stop(status_bars, ObjectNameOfLine(line, false), log::DuplicateStatusBar)) return false;
    } else if (ContainsUpper(upper, U"CREATETOOLBAR(#")) {
      if (!add_or_stop(tool_bars, ObjectNameOfLine(line, false), log::DuplicateToolBar)) return false;
    } else if (ContainsAny(upper, U"TOOLBARSTANDARDBUTTON(#", U"TOOLBARIMAGEBUTTON(#")) {
      const Text name = ObjectNameOfLine(line, false);
      if (!menu_items.Add(name)) host.AddLogLine(log::DuplicateToolbarButton(name));
    } else {
      const long p = Position(line, U"(#");
      if (p == 0) continue;
      UpperInto(TrimmedView(TrimmedView(LeftView(line, p - 1), U' '), U'\t'), &command);
      if (ws.keywords.gadget_keywords.count(command) == 0) continue;
      const Text name = ObjectNameOfLine(line, false);
      if (gadget_names.insert(Upper(name)).second) model.gadgets.push_back({name, command});
    }
  }
  return true;
}

}  // namespace quillon
