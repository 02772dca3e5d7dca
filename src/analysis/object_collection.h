// Records every window, menu, menu item, status bar, tool bar and gadget
// constant of the (prefixed) form code and enforces their uniqueness.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// The constant name of a creating line: after the first "(" and its "#" up
// to the first ",", trimmed. With `up_to_parenthesis` a line without ","
// ends the name at the first ")".
Text ObjectNameOfLine(const Text& line, bool up_to_parenthesis);

// Walks the form code once without changing it. Fails after its log line on
// a duplicate window, menu, status bar or tool bar constant.
bool CollectObjects(Workspace& ws, RunHost& host);

}  // namespace quillon
