#include "generate/generated_files.h"

#include "generate/event_files.h"
#include "generate/language_files.h"
#include "generate/templates.h"
#include "text/encoding.h"

namespace quillon {

namespace {

// The file's lines decoded by its own mark; false when it cannot be read.
bool ReadLines(const std::string& directory, TextView name, Lines* lines) {
  TextFile file;
  if (!ReadTextFile(directory + ToUtf8(name), &file)) return false;
  *lines = std::move(file.lines);
  return true;
}

void ReadEventFile(const std::string& directory, TextView name, Lines* lines) {
  if (ReadLines(directory, name, lines)) RemoveTrailingComments(*lines);
}

}  // namespace

void ReadGeneratedFiles(Workspace& ws) {
  const std::string directory = ws.ProjectDirectoryPath();
  AnalysisModel& model = ws.analysis;

  if (!ReadLines(directory, kMainFile, &model.main_lines)) model.main_lines = MainTemplate();
  // EventMain.pb is rebuilt completely; the file on disk is never read.
  model.event_main_lines = EventMainTemplate(ws.project.switches.use_call_fast != 0);
  if (!ReadLines(directory, kLoadLanguageFile, &model.load_language_lines)) {
    model.load_language_lines = LoadLanguageTemplate();
  }
  ReadEventFile(directory, kEventMenuFile, &model.event_menu_lines);
  ReadEventFile(directory, kEventGadgetFile, &model.event_gadget_lines);
  ReadEventFile(directory, kEventWindowFile, &model.event_window_lines);

  Lines catalog;
  if (ReadLines(directory, kCatalogFile, &catalog)) ParseCatalog(catalog, model.language_strings);
}

}  // namespace quillon
