#include "run/generation_run.h"

#include <memory>

#include "analysis/step1.h"
#include "check/step2.h"
#include "generate/step4.h"
#include "io/interrupt_cleanup.h"
#include "rewrite/step3.h"
#include "run/log_lines.h"

namespace quillon {

namespace {

RunOutcome Cancel(RunHost& host) {
  host.AddLogLine(Text(log::kCancel));
  host.AddLogLine(Text());
  return RunOutcome::kCancelled;
}

}  // namespace

RunOutcome RunGeneration(Workspace& ws, RunHost& host) {
  // Ended by a signal, the run leaves no temporary file beside the project.
  ScopedInterruptCleanup interrupt_cleanup;
  const std::string project_folder = ws.ProjectDirectoryPath();
  ws.files->SetProjectFolder(project_folder);
  // Two runs of one project (two windows, or a window and a script) would
  // each overwrite what the other wrote.
  std::unique_ptr<FolderLock> lock;
  if (!project_folder.empty() && ws.files->LockFolder(project_folder, &lock) == LockResult::kBusy) {
    host.AddLogLine(Text(log::kRunInProgress));
    return Cancel(host);
  }
  if (!RunStep1(ws, host) || !CheckConstants(ws, host)) return Cancel(host);
  RunStep3(ws, host);
  RunStep4(ws, host);  // ends the log with "Ready." and an empty line
  return RunOutcome::kReady;
}

}  // namespace quillon
