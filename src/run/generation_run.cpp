#include "run/generation_run.h"

#include "analysis/step1.h"
#include "check/step2.h"
#include "generate/step4.h"
#include "rewrite/step3.h"
#include "run/log_lines.h"
#include "run/undo_journal.h"

namespace quillon {

namespace {

// Puts the workspace's writer back however the run ends.
class WriterSwap {
 public:
  WriterSwap(Workspace& ws, OutputWriter* writer) : ws_(ws), saved_(ws.writer) { ws.writer = writer; }
  ~WriterSwap() { ws_.writer = saved_; }
  WriterSwap(const WriterSwap&) = delete;
  WriterSwap& operator=(const WriterSwap&) = delete;

 private:
  Workspace& ws_;
  OutputWriter* saved_;
};

}  // namespace

RunOutcome RunGeneration(Workspace& ws, RunHost& host) {
  const bool record = ws.keep_undo_record;
  UndoJournal journal(*ws.writer, ws.project);
  const WriterSwap swap(ws, record ? &journal : ws.writer);
  if (!RunStep1(ws, host) || !CheckConstants(ws, host)) {
    host.AddLogLine(Text(log::kCancel));
    host.AddLogLine(Text());
    return RunOutcome::kCancelled;
  }
  RunStep3(ws, host);
  RunStep4(ws, host);  // ends the log with "Ready." and an empty line
  if (record && !journal.Save()) {
    host.ShowError(U"Error", U"Error write undo record " + FromUtf8(UndoRecordPath(ws.ProjectDirectoryPath())));
  }
  return RunOutcome::kReady;
}

}  // namespace quillon
