#include "analysis/source_loading.h"

#include <array>
#include <utility>

#include "analysis/outside_constants.h"
#include "host/log_lines.h"
#include "text/encoding.h"

namespace quillon {

int CheckMainFile(const Workspace& ws) { return ReadBomOfFile(*ws.files, ws.ProjectDirectoryPath() + "Main.pb"); }

int ChooseOutputFormat(int main_file_bom, const Switches& switches) {
  if (main_file_bom == kFormatUtf8) return kOutputUtf8;
  return switches.utf8 != 0 ? kOutputUtf8 : kOutputAscii;
}

void CollectSourceFiles(Workspace& ws, RunHost& host) {
  for (Text& item : host.FileListItems()) ws.analysis.source_files.push_back(std::move(item));
}

std::string SourceFileOpenPath(const Workspace& ws, const Text& item) {
  const std::string path = ToUtf8(item);
  if (!path.empty() && path[0] == '/') return path;
  return ws.ProjectDirectoryPath() + path;
}

namespace {

// The form designer renames applied to procedure lines of ".pbf" files:
// renames the calls in `line`; `upper` is the line upper-cased and is kept so.
void RenameDesignerCalls(Text* line, Text* upper) {
  struct DesignerRename {
    Text upper_find;
    TextView find;
    TextView replacement;
  };
  static const std::array<DesignerRename, 12> kReplacements = [] {
    const std::array<std::pair<TextView, TextView>, 12> table = {{
        {U"Procedure Open", U"Procedure Open_"},
        {U"CreateMenu(0", U"CreateMenu(#Menu"},
        {U"CreateToolBar(0", U"CreateToolbar(#ToolBar"},
        {U"ToolBarToolTip(0", U"ToolBarToolTip(#ToolBar"},
        {U"ToolBarHeight(0", U"ToolBarHeight(#ToolBar"},
        {U"GetToolBarButtonState(0", U"GetToolBarButtonState(#ToolBar"},
        {U"SetToolBarButtonState(0", U"SetToolBarButtonState(#ToolBar"},
        {U"CreateStatusBar(0", U"CreateStatusBar(#StatusBar"},
        {U"StatusBarText(0", U"StatusBarText(#StatusBar"},
        {U"StatusBarImage(0", U"StatusBarImage(#StatusBar"},
        {U"StatusBarProgress(0", U"StatusBarProgress(#StatusBar"},
        {U"StatusBarHeight(0", U"StatusBarHeight(#StatusBar"},
    }};
    std::array<DesignerRename, 12> out;
    for (size_t i = 0; i < table.size(); ++i) out[i] = {Upper(table[i].first), table[i].first, table[i].second};
    return out;
  }();
  for (const DesignerRename& r : kReplacements) {
    // Most lines hold none of the texts: test before rebuilding the line.
    if (!ContainsUpper(*upper, r.upper_find)) continue;
    *line = ReplaceNoCase(*line, r.find, r.replacement);
    UpperInto(*line, upper);
  }
}

// True when the line has a ";" at or before position p.
bool CommentedBefore(TextView line, long p) {
  const long semicolon = Position(line, U';');
  return semicolon > 0 && semicolon <= p;
}

// The first argument of the line's first call: from after the first "(" up
// to the next ",", untrimmed.
Text FirstArgument(TextView line) {
  const long a = Position(line, U'(') + 1;
  const long b = Position(line, U',', a);
  return Mid(line, a, b - a);
}

// Top-level image and font loading lines.
void CollectImageAndFont(AnalysisModel& model, const Text& line, const Text& upper) {
  const long image_at = Position(upper, U"LOADIMAGE(");
  if (image_at > 0 && !CommentedBefore(line, image_at)) {
    const long q = Position(line, U'"');
    const long q2 = Position(line, U'"', q + 1);
    model.images.push_back({FirstArgument(line), Mid(line, q + 1, q2 - q - 1)});
  }
  const long font_at = Position(upper, U"LOADFONT(");
  if (font_at > 0 && !CommentedBefore(line, font_at)) model.fonts.push_back({FirstArgument(line), line});
}

bool ReadOneSourceFile(AnalysisModel& model, const std::string& open_path, bool designer_file,
                       OutsideConstantReader& outside) {
  TextFile file;
  if (!ReadTextFile(open_path, &file, model.output_format)) return false;
  bool in_procedure = false;
  Text upper;
  for (Text& line : file.lines) {
    UpperInto(line, &upper);
    if (ContainsUpper(upper, U"PROCEDURE")) in_procedure = true;
    const Text* current = &line;
    if (in_procedure) {
      if (designer_file) RenameDesignerCalls(&line, &upper);
      model.form_code.push_back(std::move(line));
      current = &model.form_code.back();
    } else {
      outside.Line(line);
    }
    const bool procedure_ends = ContainsUpper(upper, U"ENDPROCEDURE");
    if (procedure_ends) in_procedure = false;
    if (!in_procedure) CollectImageAndFont(model, *current, upper);
    // Only now: the separator lines would move the line `current` points to.
    if (procedure_ends) AppendSeparatorBlock(model.form_code);
  }
  return true;
}

void ReadSourceFilesReporting(Workspace& ws, RunHost* host) {
  for (const Text& item : ws.analysis.source_files) {
    const bool designer_file = Upper(ExtensionPart(item)) == U"PBF";
    const std::string path = SourceFileOpenPath(ws, item);
    OutsideConstantReader outside(item, &ws.analysis.outside_constants);
    if (!ReadOneSourceFile(ws.analysis, path, designer_file, outside) && host) {
      host->AddLogLine(log::SourceOpenError(FromUtf8(path)));
    }
  }
}

}  // namespace

void ReadSourceFiles(Workspace& ws) { ReadSourceFilesReporting(ws, nullptr); }

void ReadSourceFiles(Workspace& ws, RunHost& host) { ReadSourceFilesReporting(ws, &host); }

}  // namespace quillon
