#include "rewrite/rename_changes.h"

#include <algorithm>

#include "generate/generated_files.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

std::array<const LineStore*, 4> EventFiles(const AnalysisModel& model) {
  return {&model.event_menu_lines, &model.event_gadget_lines, &model.event_window_lines, &model.event_designer_lines};
}

constexpr std::array<TextView, 4> kEventFileNames = {kEventMenuFile, kEventGadgetFile, kEventWindowFile,
                                                     kEventDesignerFile};

template <class LineList>
long CountChanged(const LineList& before, const LineList& after) {
  const size_t common = std::min(before.size(), after.size());
  long changed = static_cast<long>(std::max(before.size(), after.size()) - common);
  for (size_t i = 0; i < common; ++i) {
    if (before[i] != after[i]) ++changed;
  }
  return changed;
}

}  // namespace

long CountChangedLines(const Lines& before, const Lines& after) { return CountChanged(before, after); }

long CountChangedLines(const LineStore& before, const LineStore& after) { return CountChanged(before, after); }

RenameChanges::RenameChanges(const AnalysisModel& model, bool any_renaming) : kept_(any_renaming) {
  if (!kept_) return;
  main_before_ = model.main_lines;
  const auto files = EventFiles(model);
  for (size_t i = 0; i < files.size(); ++i) event_files_before_[i] = *files[i];
}

void RenameChanges::Log(const AnalysisModel& model, const Text& project_directory, RunHost& host) const {
  if (!kept_) return;
  auto log_file = [&](TextView name, long changed) {
    if (changed > 0) host.AddLogLine(log::UpdateFile(project_directory + Text(name), changed));
  };
  log_file(kMainFile, CountChangedLines(main_before_, model.main_lines));
  const auto files = EventFiles(model);
  for (size_t i = 0; i < files.size(); ++i) {
    log_file(kEventFileNames[i], CountChangedLines(event_files_before_[i], *files[i]));
  }
}

}  // namespace quillon
