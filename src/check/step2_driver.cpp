#include "check/constant_check.h"
#include "check/pb_any_names.h"
#include "check/step2.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

// The saved and current names of kinds 2 to 6 (for gadgets the name field).
void CopyWorkLists(const Workspace& ws, int kind, Lines* old_names, Lines* new_names) {
  const Project& p = ws.project;
  const AnalysisModel& a = ws.analysis;
  switch (kind) {
    case kKindMenuBar:
      *old_names = p.saved_menu_bars;
      *new_names = a.menu_bars;
      return;
    case kKindMenuItem:
      *old_names = p.saved_menu_items;
      *new_names = a.menu_items;
      return;
    case kKindStatusBar:
      *old_names = p.saved_status_bars;
      *new_names = a.status_bars;
      return;
    case kKindToolBar:
      *old_names = p.saved_tool_bars;
      *new_names = a.tool_bars;
      return;
    case kKindGadget:
      *old_names = p.saved_gadgets;
      new_names->clear();
      new_names->reserve(a.gadgets.size());
      for (const GadgetRecord& g : a.gadgets) new_names->push_back(g.name);
      return;
    default:
      old_names->clear();
      new_names->clear();
      return;
  }
}

}  // namespace

bool CheckConstants(Workspace& ws, RunHost& host) {
  host.AddLogLine(Text(log::kStep2));
  host.AddLogLine(Text(log::kCheckConstants));
  if (!CheckWindowConstants(ws, host)) return false;
  for (int kind : {kKindMenuBar, kKindMenuItem, kKindStatusBar, kKindToolBar, kKindGadget}) {
    CopyWorkLists(ws, kind, &ws.check.old_constants, &ws.check.new_constants);
    DropPbAnyNames(ws.project.saved_windows, ws.analysis.windows, &ws.check.old_constants);
    if (!CheckKindConstants(ws, host, kind)) return false;
  }
  return true;
}

}  // namespace quillon
