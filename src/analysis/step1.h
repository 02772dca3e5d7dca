// Step 1 of a generation run: loads and interprets the project's sources.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Runs every pass of Step 1 in order; false when the run must stop.
bool RunStep1(Workspace& ws, RunHost& host);

}  // namespace quillon
