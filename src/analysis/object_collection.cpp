#include "analysis/object_collection.h"

#include "analysis/constant_tokens.h"
#include "host/log_lines.h"
#include "text/call_keywords.h"
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

// The calls that declare an object, in the order of their bits.
enum ObjectCall : unsigned {
  kOpenWindow,
  kCreateMenu,
  kCreatePopupMenu,
  kCreateImageMenu,
  kCreatePopupImageMenu,
  kMenuItem,
  kCreateStatusBar,
  kCreateToolBar,
  kToolBarStandardButton,
  kToolBarImageButton,
};

constexpr CallKeywords kObjectCalls({"OPENWINDOW(#", "CREATEMENU(#", "CREATEPOPUPMENU(#", "CREATEIMAGEMENU(#",
                                     "CREATEPOPUPIMAGEMENU(#", "MENUITEM(#", "CREATESTATUSBAR(#", "CREATETOOLBAR(#",
                                     "TOOLBARSTANDARDBUTTON(#", "TOOLBARIMAGEBUTTON(#"});

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
    const uint32_t calls = kObjectCalls.In(upper);
    if (Holds(calls, kOpenWindow)) {
      if (!add_or_stop(windows, ObjectNameOfLine(line, false), log::DuplicateWindow)) return false;
    } else if (Holds(calls, kCreateMenu) || Holds(calls, kCreatePopupMenu) || Holds(calls, kCreateImageMenu) ||
               Holds(calls, kCreatePopupImageMenu)) {
      if (!add_or_stop(menu_bars, ObjectNameOfLine(line, true), log::DuplicateMenu)) return false;
    } else if (Holds(calls, kMenuItem)) {
      const Text name = ObjectNameOfLine(line, false);
      if (!IsPureBasicConstantName(name) && !menu_items.Add(name)) host.AddLogLine(log::DuplicateMenuItem(name));
    } else if (Holds(calls, kCreateStatusBar)) {
      if (!add_or_stop(status_bars, ObjectNameOfLine(line, false), log::DuplicateStatusBar)) return false;
    } else if (Holds(calls, kCreateToolBar)) {
      if (!add_or_stop(tool_bars, ObjectNameOfLine(line, false), log::DuplicateToolBar)) return false;
    } else if (Holds(calls, kToolBarStandardButton) || Holds(calls, kToolBarImageButton)) {
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
