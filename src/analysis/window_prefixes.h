// Inserts the owning window's name after the "#" of every object constant
// of the form code, so that the constants of many windows can live side by
// side in one file.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// The window prefix ("Name_") of a "...(...(#Name)" line such as
// CreateToolBar(#TB, WindowID(#Name)): the name after the first "(" at or
// after position a, and its "#", up to the line's first ")".
Text WindowOfNestedCall(const Text& line, long a);

// Rewrites the form code in place. Fails (after its log line) on a window
// opened with #PB_Any; lines already rewritten stay rewritten.
bool InsertWindowPrefixes(Workspace& ws, RunHost& host);

}  // namespace quillon
