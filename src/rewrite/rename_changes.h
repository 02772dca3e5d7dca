// What a rename changed in the user's own files: Main.pb and the four event
// files are kept as they stood before the renaming passes, then compared.
#pragma once

#include <array>

#include "model/analysis_model.h"
#include "host/run_host.h"

namespace quillon {

// Lines of `after` that differ from `before` (a line that only one of them
// has counts as well).
long CountChangedLines(const Lines& before, const Lines& after);
long CountChangedLines(const LineStore& before, const LineStore& after);

class RenameChanges {
 public:
  // Keeps the five files' lines; without a renaming nothing can change and
  // nothing is kept.
  RenameChanges(const AnalysisModel& model, bool any_renaming);
  // " -> Update <path> / Count Change: <n>" for each file that changed, in
  // the order Main.pb, EventMenu.pb, EventGadget.pb, EventWindow.pb,
  // EventDesigner.pb.
  void Log(const AnalysisModel& model, const Text& project_directory, RunHost& host) const;

 private:
  bool kept_ = false;
  Lines main_before_;
  std::array<LineStore, 4> event_files_before_;
};

}  // namespace quillon
