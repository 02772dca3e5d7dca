// EventDesigner.pb: a body for every procedure the designer's form files
// declare but nobody defines, so the designer's event settings link. Kept
// like the other event files: the user's code in it survives.
#pragma once

#include "model/workspace.h"

namespace quillon {

// Appends to event_designer_lines, in declaration order, each declared
// procedure that no procedure of the form code, Main.pb, Main.pb's readable
// include files or the event files defines. A new file first gets its header.
void AddDesignerProcedures(Workspace& ws);

// True when some line of `lines` starts a procedure.
bool HoldsProcedure(const LineStore& lines);

}  // namespace quillon
