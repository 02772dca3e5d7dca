#include "analysis/object_collection.h"

#include "analysis/constant_tokens.h"
#include "host/log_lines.h"
#include "text/upper_name_set.h"

namespace quillon {

namespace {

// An ordered name list with the set of its names for the case-insensitive
// duplicate check.
class NameList {
 public:
  explicit NameList(Lines& names) : names_(names), seen_(names.size()) {
    for (const Text& name : names_) seen_.Insert(name);
  }
  // False when an equal name (ignoring case) is already in the list.
  bool Add(const Text& name) {
    if (!seen_.Insert(name)) return false;
    names_.push_back(name);
    return true;
  }

 private:
  Lines& names_;
  UpperNameSet seen_;
};

bool ContainsAny(const Text& upper, TextView a, TextView b) {
  return ContainsUpper(upper, a) || ContainsUpper(upper, b);
}

}  // namespace

Text ObjectNameOfLine(const Text& line, bool up_to_parenthesis) {
  const long a = Position(line, '(') + 2;
  long b = Position(line, ',');
  if (b == 0 && up_to_parenthesis) b = Position(line, ')');
  return Text(TrimmedView(MidView(line, a, b - a), ' '));
}

bool CollectObjects(Workspace& ws, RunHost& host) {
  AnalysisModel& model = ws.analysis;
  NameList windows(model.windows);
  NameList menu_bars(model.menu_bars);
  NameList menu_items(model.menu_items);
  NameList status_bars(model.status_bars);
  NameList tool_bars(model.tool_bars);
  UpperNameSet gadget_names(model.gadgets.size());
  for (const GadgetRecord& gadget : model.gadgets) gadget_names.Insert(gadget.name);

  // Stops the run with `message` when `name` is a duplicate. An object made
  // with #PB_Any gets its number at run time: it has no constant to record.
  auto add_or_stop = [&host](NameList& list, const Text& name, Text (*message)(TextView)) {
    if (IsPureBasicConstantName(name) || list.Add(name)) return true;
    host.AddLogLine(message(name));
    return false;
  };

  Text upper;
  Text command;
  for (const Text& line : model.form_code) {
    UpperInto(line, &upper);
    if (ContainsUpper(upper, "OPENWINDOW(#")) {
      if (!add_or_stop(windows, ObjectNameOfLine(line, false), log::DuplicateWindow)) return false;
    } else if (ContainsAny(upper, "CREATEMENU(#", "CREATEPOPUPMENU(#") ||
               ContainsAny(upper, "CREATEIMAGEMENU(#", "CREATEPOPUPIMAGEMENU(#")) {
      if (!add_or_stop(menu_bars, ObjectNameOfLine(line, true), log::DuplicateMenu)) return false;
    } else if (ContainsUpper(upper, "MENUITEM(#")) {
      const Text name = ObjectNameOfLine(line, false);
      if (!IsPureBasicConstantName(name) && !menu_items.Add(name)) host.AddLogLine(log::DuplicateMenuItem(name));
    } else if (ContainsUpper(upper, "CREATESTATUSBAR(#")) {
      if (!add_or_stop(status_bars, ObjectNameOfLine(line, false), log::DuplicateStatusBar)) return false;
    } else if (ContainsUpper(upper, "CREATETOOLBAR(#")) {
      if (!add_or_stop(tool_bars, ObjectNameOfLine(line, false), log::DuplicateToolBar)) return false;
    } else if (ContainsAny(upper, "TOOLBARSTANDARDBUTTON(#", "TOOLBARIMAGEBUTTON(#")) {
      const Text name = ObjectNameOfLine(line, false);
      if (!IsPureBasicConstantName(name) && !menu_items.Add(name)) {
        host.AddLogLine(log::DuplicateToolbarButton(name));
      }
    } else {
      const long p = Position(line, "(#");
      if (p == 0) continue;
      UpperInto(TrimmedView(TrimmedView(LeftView(line, p - 1), ' '), '\t'), &command);
      if (ws.keywords.gadget_keywords.count(command) == 0) continue;
      const Text name = ObjectNameOfLine(line, false);
      if (!IsPureBasicConstantName(name) && gadget_names.Insert(name)) model.gadgets.push_back({name, command});
    }
  }
  model.gadgets.shrink_to_fit();  // kept to the end of the run, without the room it grew by
  return true;
}

}  // namespace quillon
