#include "run/generation_run.h"

#include <memory>

#include "analysis/step1.h"
#include "check/step2.h"
#include "generate/step4.h"
#include "io/interrupt_cleanup.h"
#include "rewrite/step3.h"
#include "host/log_lines.h"
#include "run/undo_journal.h"

namespace quillon {

namespace {

RunOutcome Cancel(RunHost& host) {
  host.AddLogLine(Text(log::kCancel));
  host.AddLogLine(Text());
  return RunOutcome::kCancelled;
}

// Puts the workspace's file system back however the run ends.
class FileSystemSwap {
 public:
  FileSystemSwap(Workspace& ws, FileSystem* files) : ws_(ws), saved_(ws.files) { ws.files = files; }
  ~FileSystemSwap() { ws_.files = saved_; }
  FileSystemSwap(const FileSystemSwap&) = delete;
  FileSystemSwap& operator=(const FileSystemSwap&) = delete;

 private:
  Workspace& ws_;
  FileSystem* saved_;
};

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
  // A completed run leaves what undo needs; the journal notes every write.
  const bool record = ws.keep_undo_record;
  UndoJournal journal(*ws.files, ws.project);
  const FileSystemSwap swap(ws, record ? &journal : ws.files);
  if (!RunStep1(ws, host) || !CheckConstants(ws, host)) return Cancel(host);
  RunStep3(ws, host);
  RunStep4(ws, host);  // ends the log with "Ready." and an empty line
  if (record && !journal.Save()) {
    host.ShowError("Error", "Error write undo record " + FromUtf8(UndoRecordPath(ws.ProjectDirectoryPath())));
  }
  return RunOutcome::kReady;
}

}  // namespace quillon
