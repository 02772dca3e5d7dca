#include "generate/generated_files.h"

#include <type_traits>

#include "generate/event_files.h"
#include "generate/language_files.h"
#include "generate/templates.h"
#include "io/file_system.h"
#include "text/encoding.h"

namespace quillon {

namespace {

// The file's lines decoded by its own mark; false when it is absent or
// cannot be read back faithfully. A file that is there but unreadable, or
// whose UTF-16 BE / UTF-32 text one byte per character would garble, is
// noted as kept, so that Step 4 never replaces it by a template.
template <class LineList>
bool ReadLines(Workspace& ws, const std::string& directory, TextView name, LineList* lines) {
  const std::string path = directory + ToUtf8(name);
  std::conditional_t<std::is_same_v<LineList, LineStore>, TextStoreFile, TextFile> file;
  const bool read = ReadTextFile(*ws.files, path, &file, ws.analysis.output_format);
  const bool garbled = file.bom == kFormatUtf16Be || file.bom == kFormatUtf32Le || file.bom == kFormatUtf32Be;
  if (read && !garbled) {
    *lines = std::move(file.lines);
    return true;
  }
  if (read || ws.files->KindOf(path) != FileKind::kMissing) ws.analysis.kept_generated_files.push_back(Text(name));
  return false;
}

void ReadEventFile(Workspace& ws, const std::string& directory, TextView name, LineStore* lines) {
  if (ReadLines(ws, directory, name, lines)) RemoveTrailingComments(*lines);
}

}  // namespace

void ReadGeneratedFiles(Workspace& ws) {
  const std::string directory = ws.ProjectDirectoryPath();
  AnalysisModel& model = ws.analysis;

  if (!ReadLines(ws, directory, kMainFile, &model.main_lines)) model.main_lines = MainTemplate();
  // EventMain.pb is rebuilt completely; the file on disk is never read.
  model.event_main_lines = EventMainTemplate(ws.project.switches.use_call_fast != 0);
  if (!ReadLines(ws, directory, kLoadLanguageFile, &model.load_language_lines)) {
    model.load_language_lines = LoadLanguageTemplate();
  }
  ReadEventFile(ws, directory, kEventMenuFile, &model.event_menu_lines);
  ReadEventFile(ws, directory, kEventGadgetFile, &model.event_gadget_lines);
  ReadEventFile(ws, directory, kEventWindowFile, &model.event_window_lines);
  ReadEventFile(ws, directory, kEventDesignerFile, &model.event_designer_lines);

  Lines catalog;
  if (ReadLines(ws, directory, kCatalogFile, &catalog)) ParseCatalog(catalog, model.language_strings);
}

}  // namespace quillon
