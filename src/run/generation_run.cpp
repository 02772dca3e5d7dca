#include "run/generation_run.h"

#include "analysis/step1.h"
#include "check/step2.h"
#include "generate/step4.h"
#include "rewrite/step3.h"
#include "run/log_lines.h"

namespace quillon {

RunOutcome RunGeneration(Workspace& ws, RunHost& host) {
  if (!RunStep1(ws, host) || !CheckConstants(ws, host)) {
    host.AddLogLine(Text(log::kCancel));
    host.AddLogLine(Text());
    return RunOutcome::kCancelled;
  }
  RunStep3(ws, host);
  RunStep4(ws, host);  // ends the log with "Ready." and an empty line
  return RunOutcome::kReady;
}

}  // namespace quillon
