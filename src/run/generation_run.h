// One complete generation run, Steps 1 to 4, without any GUI: the frame that
// the window's worker thread and the command line both call.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

enum class RunOutcome {
  kReady,      // Step 4 ran; the log ends with "Ready." and an empty line
  kCancelled,  // Step 1 failed or Step 2 was cancelled; "Cancel." and an empty line
};

// Called on the worker thread. The front end does its own first and last
// actions (closing the Start Generate window, enabling the main window).
RunOutcome RunGeneration(Workspace& ws, RunHost& host);

}  // namespace quillon
