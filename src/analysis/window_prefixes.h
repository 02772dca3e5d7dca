// Inserts the owning window's name after the "#" of every object constant
// of the form code, so that the constants of many windows can live side by
// side in one file.
#pragma once

#include <utility>
#include <vector>

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// The window prefix ("Name_") of a "...(...(#Name)" line such as
// CreateToolBar(#TB, WindowID(#Name)): the name after the first "(" at or
// after position a, and its "#", up to the line's first ")".
Text WindowOfNestedCall(const Text& line, long a);

// The window in force at the start of each source file's form code: for
// each file whose form code opens a window, the index of its first line and
// the prefix of its first OpenWindow(# line. A file's helper procedures that
// come before its window (ResizeGadgets...) belong to that window, not to the
// previous file's.
std::vector<std::pair<size_t, Text>> FileStartPrefixes(const AnalysisModel& model);

// Rewrites the form code in place. Fails (after its log line) on a window
// opened with #PB_Any; lines already rewritten stay rewritten.
bool InsertWindowPrefixes(Workspace& ws, RunHost& host);

}  // namespace quillon
