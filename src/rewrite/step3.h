// Step 3 of a generation run: backup, then the bound renamings applied to the
// user's code.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Never stops a run; problems are logged.
void RunStep3(Workspace& ws, RunHost& host);

}  // namespace quillon
