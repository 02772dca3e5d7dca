// EventMenu.pb, EventGadget.pb and EventWindow.pb: the user's own event
// procedures. The files are never rebuilt; procedures that are still missing
// are appended after what the user already has.
#pragma once

#include "model/analysis_model.h"

namespace quillon {

// Removes what an editor appends at the end of a file. Within the trailing
// lines whose first character is ";" (an empty line ends them): from the last
// line starting with "; IDE Options" to the end; without one, only a last
// line that is the separator line.
void RemoveTrailingComments(LineStore& lines);

// One procedure per menu item (and tool bar button) into event_menu_lines.
// A new procedure of a menu item or gadget that the designer wired to a call
// (designer_wirings) starts with that call.
void AddMenuProcedures(AnalysisModel& model);
// Size procedures, then exit procedures, per window into event_window_lines.
void AddSizeProcedures(AnalysisModel& model);
void AddExitProcedures(AnalysisModel& model);
// One procedure per gadget except text and frame gadgets into event_gadget_lines.
void AddGadgetProcedures(AnalysisModel& model);

// True for the gadget kinds that get no event procedure of their own.
bool IsPassiveGadget(const GadgetRecord& gadget);

}  // namespace quillon
