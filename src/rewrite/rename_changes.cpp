#include "rewrite/rename_changes.h"

#include <algorithm>

#include "generate/generated_files.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

std::array<const Lines*, 5> UserFiles(const AnalysisModel& model) {
  return {&model.main_lines, &model.event_menu_lines, &model.event_gadget_lines, &model.event_window_lines,
          &model.event_designer_lines};
}

constexpr std::array<TextView, 5> kUserFileNames = {kMainFile, kEventMenuFile, kEventGadgetFile, kEventWindowFile,
                                                    kEventDesignerFile};

}  // namespace

long CountChangedLines(const Lines& before, const Lines& after) {
  const size_t common = std::min(before.size(), after.size());
  long changed = static_cast<long>(std::max(before.size(), after.size()) - common);
  for (size_t i = 0; i < common; ++i) {
    if (before[i] != after[i]) ++changed;
  }
  return changed;
}

RenameChanges::RenameChanges(const AnalysisModel& model, bool any_renaming) : kept_(any_renaming) {
  if (!kept_) return;
  const auto files = UserFiles(model);
  for (size_t i = 0; i < files.size(); ++i) before_[i] = *files[i];
}

void RenameChanges::Log(const AnalysisModel& model, const Text& project_directory, RunHost& host) const {
  if (!kept_) return;
  const auto files = UserFiles(model);
  for (size_t i = 0; i < files.size(); ++i) {
    const long changed = CountChangedLines(before_[i], *files[i]);
    if (changed > 0) host.AddLogLine(log::UpdateFile(project_directory + Text(kUserFileNames[i]), changed));
  }
}

}  // namespace quillon
