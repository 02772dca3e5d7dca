// Step 2 of a generation run: compares this run's constants with the saved
// ones and asks the user to bind renamed ones.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// False when the user cancelled.
bool CheckConstants(Workspace& ws, RunHost& host);

}  // namespace quillon
