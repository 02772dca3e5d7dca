// Step 4 of a generation run: builds and writes every generated file, saves
// the project and keeps the snapshot of this run's constants.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

void RunStep4(Workspace& ws, RunHost& host);

}  // namespace quillon
