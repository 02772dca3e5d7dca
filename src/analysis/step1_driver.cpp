#include <system_error>
#include <thread>

#include "analysis/carried_declarations.h"
#include "analysis/designer_events.h"
#include "analysis/form_rewrites.h"
#include "analysis/include_files.h"
#include "analysis/language_texts.h"
#include "analysis/object_collection.h"
#include "analysis/outside_constants.h"
#include "analysis/pb_any_objects.h"
#include "analysis/reference_prefixes.h"
#include "analysis/source_loading.h"
#include "analysis/step1.h"
#include "analysis/window_prefixes.h"
#include "generate/constants_code.h"
#include "generate/generated_files.h"
#include "generate/image_font_code.h"
#include "generate/language_files.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

// Reads the sources and the generated files of the last run, the latter on
// a second thread: each is about a tenth of a run, and neither writes what
// the other reads. The sources are read from the disk itself and only this
// thread logs; the generated files are read through the run's file system,
// which nothing else uses meanwhile, so a test's file system still sees its
// calls in one order.
void ReadProjectFiles(Workspace& ws, RunHost& host) {
  std::thread generated;
  try {
    generated = std::thread([&ws] { ReadGeneratedFiles(ws); });
  } catch (const std::system_error&) {
    // No thread to be had: one after the other.
  }
  ReadSourceFiles(ws, host);
  if (generated.joinable()) {
    generated.join();
  } else {
    ReadGeneratedFiles(ws);
  }
}

}  // namespace

bool RunStep1(Workspace& ws, RunHost& host) {
  if (!ws.project.has_name && !host.AskProjectName()) return false;

  host.AddLogLine(Text(log::kStep1));
  host.AddLogLine(Text(log::kCheckMain));
  const int main_bom = CheckMainFile(ws);
  const Text bom_line = log::BomLine(main_bom);
  if (!bom_line.empty()) host.AddLogLine(bom_line);
  ws.analysis.output_format = ChooseOutputFormat(main_bom, ws.project.switches);

  host.AddLogLine(Text(log::kLoadFiles));
  ws.analysis.ClearForRun();
  CollectSourceFiles(ws, host);
  ReadProjectFiles(ws, host);
  if (ws.analysis.source_files.empty()) {
    host.AddLogLine(Text(log::kNoFiles));
    return false;
  }
  CollectIncludeFiles(ws, "Main.pb");

  host.AddLogLine(Text(log::kInterpret));
  const std::vector<size_t> pb_any_lines = ConvertPbAnyObjects(ws);
  if (!InsertWindowPrefixes(ws, host)) return false;
  if (!CollectObjects(ws, host)) return false;
  RecordPbAnyObjects(ws.analysis, pb_any_lines);
  PrefixObjectReferences(ws);
  // Forms that cannot work as generated say so instead of a silent "Ready.".
  if (ws.analysis.windows.empty()) host.AddLogLine(Text(log::kNoWindowFound));
  CarryDeclarations(ws.analysis);
  WarnAboutOutsideConstants(ws, host);
  const Switches& switches = ws.project.switches;
  if (switches.parend != 0) SetParentWindows(ws);
  if (switches.pb_ignore != 0) SetAutomaticPositions(ws);
  ConvertMenuTabs(ws);
  ReadDesignerEvents(ws.analysis);  // on the prefixed names, before texts become language calls
  if (switches.multilang != 0) {
    InsertLanguageCalls(ws);
    CollectLanguageStrings(ws, host);
    UpdateLoadLanguage(ws, host);
  }
  BuildFontsCode(ws);
  ReplaceImageCalls(ws);
  BuildImagesCode(ws);
  DropDecodersOfImageCode(ws.analysis);
  if (switches.image_null != 0) SetImageGadgetsToZero(ws);
  BuildConstantsCode(ws);
  return true;
}

}  // namespace quillon
