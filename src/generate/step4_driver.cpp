#include "generate/step4.h"

#include <algorithm>
#include <utility>

#include "generate/common_file.h"
#include "generate/designer_procedures.h"
#include "generate/event_files.h"
#include "generate/event_main.h"
#include "generate/file_writing.h"
#include "generate/generated_files.h"
#include "generate/language_files.h"
#include "generate/main_file.h"
#include "generate/unused_procedures.h"
#include "project/project_file.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

void LogCounts(const AnalysisModel& model, RunHost& host) {
  const std::pair<TextView, size_t> counts[] = {
      {"Window", model.windows.size()},      {"MenuBar", model.menu_bars.size()},
      {"MenuItem", model.menu_items.size()}, {"StatusBar", model.status_bars.size()},
      {"ToolBar", model.tool_bars.size()},   {"Gadget", model.gadgets.size()},
      {"Image", model.images.size()}};
  for (const auto& [what, count] : counts) host.AddLogLine(log::Count(what, static_cast<long>(count)));
}

// True when every generated file was written. Each file's lines are let go
// once it is written, so that the next one is encoded beside fewer lines.
bool WriteFiles(Workspace& ws, RunHost& host, const EncodedFile& common_file) {
  const Text directory = ProjectDirectory(ws.project);
  AnalysisModel& model = ws.analysis;
  bool all_written = true;
  auto kept = [&](TextView name) {
    const Lines& kept_files = model.kept_generated_files;
    if (std::find(kept_files.begin(), kept_files.end(), name) == kept_files.end()) return false;
    // Its old content could not be read back: replacing it would lose the
    // user's code, so it stays as it is and the failure is reported.
    host.AddLogLine(log::ErrorFile(directory + Text(name)));
    all_written = false;
    return true;
  };
  // The lines go as soon as they are encoded: only the bytes wait for the write.
  auto write = [&](TextView name, auto&& lines) {
    if (kept(name)) return;
    EncodedFile encoded;
    {
      const auto written = std::move(lines);
      encoded = EncodeGeneratedFile(ws, written);
    }
    if (!WriteEncodedFile(ws, host, directory + Text(name), encoded)) all_written = false;
  };
  write(kMainFile, std::move(model.main_lines));
  if (!kept(kCommonFile) && !WriteEncodedFile(ws, host, directory + Text(kCommonFile), common_file)) {
    all_written = false;
  }
  write(kEventMainFile, std::move(model.event_main_lines));
  write(kEventMenuFile, std::move(model.event_menu_lines));
  write(kEventGadgetFile, std::move(model.event_gadget_lines));
  write(kEventWindowFile, std::move(model.event_window_lines));
  if (HoldsProcedure(model.event_designer_lines)) write(kEventDesignerFile, std::move(model.event_designer_lines));
  if (ws.project.switches.multilang != 0) {
    write(kLoadLanguageFile, std::move(model.load_language_lines));
    write(kCatalogFile, CatalogLines(model.language_strings));
  }
  return all_written;
}

// This run's constants become the reference of the next run's constant check.
void TakeSnapshot(Workspace& ws) {
  const AnalysisModel& model = ws.analysis;
  Project& project = ws.project;
  project.saved_windows = model.windows;
  project.saved_menu_bars = model.menu_bars;
  project.saved_menu_items = model.menu_items;
  project.saved_status_bars = model.status_bars;
  project.saved_tool_bars = model.tool_bars;
  project.saved_gadgets.clear();
  project.saved_gadgets.reserve(model.gadgets.size());
  for (const GadgetRecord& gadget : model.gadgets) project.saved_gadgets.push_back(gadget.name);
}

}  // namespace

void RunStep4(Workspace& ws, RunHost& host) {
  AnalysisModel& model = ws.analysis;
  const Switches& switches = ws.project.switches;
  host.AddLogLine(Text(log::kStep4));
  host.AddLogLine(Text(log::kCreateCode));

  AdjustMainFile(model);
  AddDesignerProcedures(ws);  // reads the form code, which the common file takes
  BuildCommonFile(model, switches.multilang != 0);
  // Nothing changes the common file from here on: its bytes take less room
  // than its lines while the event procedures are made.
  const EncodedFile common_file = EncodeGeneratedFile(ws, model.common_file_lines);
  Lines().swap(model.common_file_lines);
  if (switches.use_call_fast != 0) {
    FillCallTables(model);
  } else {
    FillDispatchers(model);
  }
  AddMenuProcedures(model);
  AddSizeProcedures(model);
  AddExitProcedures(model);
  AddGadgetProcedures(model);
  LogCounts(model, host);
  LogUnusedProcedures(model, ProjectDirectory(ws.project), host);

  host.AddLogLine(Text(log::kWriteFiles));
  // A generated file that kept its old procedure names needs the same
  // renames next time: the saved constants stay as they were then.
  const bool all_written = WriteFiles(ws, host, common_file);
  SaveProjectAfterRun(ws, host, all_written);
  if (all_written) TakeSnapshot(ws);

  host.AddLogLine(Text(log::kReady));
  host.AddLogLine(Text());
}

}  // namespace quillon
