#include "analysis/source_loading.h"

#include <array>
#include <utility>

#include "analysis/carried_declarations.h"
#include "analysis/code_words.h"
#include "analysis/constant_tokens.h"
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

// The form designer renames applied to procedure lines of ".pbf" files.
constexpr std::array<std::pair<TextView, TextView>, 12> kDesignerRenames = {{
    {"Procedure Open", "Procedure Open_"},
    {"CreateMenu(0", "CreateMenu(#Menu"},
    {"CreateToolBar(0", "CreateToolbar(#ToolBar"},
    {"ToolBarToolTip(0", "ToolBarToolTip(#ToolBar"},
    {"ToolBarHeight(0", "ToolBarHeight(#ToolBar"},
    {"GetToolBarButtonState(0", "GetToolBarButtonState(#ToolBar"},
    {"SetToolBarButtonState(0", "SetToolBarButtonState(#ToolBar"},
    {"CreateStatusBar(0", "CreateStatusBar(#StatusBar"},
    {"StatusBarText(0", "StatusBarText(#StatusBar"},
    {"StatusBarImage(0", "StatusBarImage(#StatusBar"},
    {"StatusBarProgress(0", "StatusBarProgress(#StatusBar"},
    {"StatusBarHeight(0", "StatusBarHeight(#StatusBar"},
}};

// A line without "(0" needs only the first rename tried.
constexpr bool AllButTheFirstHoldACallOnZero() {
  for (size_t i = 1; i < kDesignerRenames.size(); ++i) {
    if (kDesignerRenames[i].first.find("(0") == TextView::npos) return false;
  }
  return true;
}
static_assert(AllButTheFirstHoldACallOnZero());

// Renames the designer calls in `line`; `upper` is the line upper-cased and
// is kept so.
void RenameDesignerCalls(Text* line, Text* upper) {
  struct DesignerRename {
    Text upper_find;
    TextView find;
    TextView replacement;
  };
  static const std::array<DesignerRename, kDesignerRenames.size()> kReplacements = [] {
    std::array<DesignerRename, kDesignerRenames.size()> out;
    for (size_t i = 0; i < kDesignerRenames.size(); ++i) {
      out[i] = {Upper(kDesignerRenames[i].first), kDesignerRenames[i].first, kDesignerRenames[i].second};
    }
    return out;
  }();
  if (!ContainsUpper(*upper, "(0") && !ContainsUpper(*upper, kReplacements[0].upper_find)) return;
  for (const DesignerRename& r : kReplacements) {
    // Most lines hold none of the texts: test before rebuilding the line.
    if (!ContainsUpper(*upper, r.upper_find)) continue;
    *line = ReplaceNoCase(*line, r.find, r.replacement);
    UpperInto(*line, upper);
  }
}

// True when the line has a ";" at or before position p.
bool CommentedBefore(TextView line, long p) {
  const long semicolon = Position(line, ';');
  return semicolon > 0 && semicolon <= p;
}

// The first argument of the line's first call: from after the first "(" up
// to the next ",", untrimmed.
Text FirstArgument(TextView line) {
  const long a = Position(line, '(') + 1;
  const long b = Position(line, ',', a);
  return Mid(line, a, b - a);
}

// True when an image or font was collected for the variable already.
bool CollectedAlready(const AnalysisModel& model, TextView number) {
  const Text upper = Upper(number);
  for (const ImageRecord& image : model.images) {
    if (Upper(TrimBlanksAndTabs(image.number)) == upper) return true;
  }
  for (const FontRecord& font : model.fonts) {
    if (Upper(TrimBlanksAndTabs(font.number)) == upper) return true;
  }
  return false;
}

// "V = LoadImage(#PB_Any, ...)" and "V = LoadFont(#PB_Any, ...)" at the top
// level: the image or font #V, once per variable. The variable gets the
// number from a carried "V = #V" line (image) or the font line's tail.
bool CollectPbAnyImageOrFont(AnalysisModel& model, const Text& line) {
  PbAnyAssignment m;
  if (!MatchPbAnyAssignment(line, &m)) return false;
  const Text command = Upper(m.command);
  if (command != "LOADIMAGE" && command != "LOADFONT") return false;
  const Text number = Concat({"#", m.variable});
  if (CollectedAlready(model, number)) return true;
  if (command == "LOADIMAGE") {
    const long q = Position(line, '"', static_cast<long>(m.rest) + 1);
    const long q2 = q > 0 ? Position(line, '"', q + 1) : 0;
    model.images.push_back({number, q2 > 0 ? Mid(line, q + 1, q2 - q - 1) : Text()});
    return true;
  }
  // The comment and the blanks before it are cut.
  size_t code_end = m.code_end;
  while (code_end > m.rest && (line[code_end - 1] == ' ' || line[code_end - 1] == '\t')) --code_end;
  const TextView text(line);
  model.fonts.push_back({number, Concat({text.substr(0, m.indent), m.command, "(", number,
                                         text.substr(m.rest, code_end - m.rest), " : ", m.variable, " = ", number})});
  return true;
}

// Top-level image and font loading lines.
void CollectImageAndFont(AnalysisModel& model, const Text& line, const Text& upper) {
  if (CollectPbAnyImageOrFont(model, line)) return;
  // An image or font numbered at run time in any other shape has no
  // constant: an enumeration member "#PB_Any" would not compile.
  const long image_at = Position(upper, "LOADIMAGE(");
  const long font_at = Position(upper, "LOADFONT(");
  if (image_at + font_at == 0 || IsPureBasicConstantName(TrimmedView(TrimBlanksAndTabs(FirstArgument(line)), '#'))) {
    return;
  }
  if (image_at > 0 && !CommentedBefore(line, image_at)) {
    const long q = Position(line, '"');
    const long q2 = Position(line, '"', q + 1);
    model.images.push_back({FirstArgument(line), Mid(line, q + 1, q2 - q - 1)});
  }
  if (font_at > 0 && !CommentedBefore(line, font_at)) model.fonts.push_back({FirstArgument(line), line});
}

bool IsProcedureStart(const Text& first_word) {
  return first_word == "PROCEDURE" || first_word == "PROCEDUREC" || first_word == "PROCEDUREDLL" ||
         first_word == "PROCEDURECDLL";
}

// A statement of the line that begins with EndProcedure ends the procedure.
bool EndsProcedure(const Text& line, const Text& upper, std::vector<TextView>* statements, Text* word) {
  if (!ContainsUpper(upper, "ENDPROCEDURE")) return false;
  SplitStatements(line, statements);
  for (const TextView statement : *statements) {
    FirstWordUpper(statement, word);
    if (*word == "ENDPROCEDURE") return true;
  }
  return false;
}

bool ReadOneSourceFile(AnalysisModel& model, const std::string& open_path, bool designer_file,
                       DeclarationReader& declarations) {
  TextFile file;
  if (!ReadTextFile(open_path, &file, model.output_format)) return false;
  bool in_procedure = false;
  Text upper;
  Text word;
  std::vector<TextView> statements;
  for (Text& line : file.lines) {
    UpperInto(line, &upper);
    if (!in_procedure) {
      FirstWordUpper(line, &word);
      in_procedure = IsProcedureStart(word);
    }
    const Text* current = &line;
    if (in_procedure) {
      if (designer_file) RenameDesignerCalls(&line, &upper);
      model.form_code.push_back(std::move(line));
      current = &model.form_code.back();
    } else {
      declarations.Line(line);
    }
    const bool procedure_ends = in_procedure && EndsProcedure(*current, upper, &statements, &word);
    if (procedure_ends) in_procedure = false;
    if (!in_procedure) CollectImageAndFont(model, *current, upper);
    // Only now: the separator lines would move the line `current` points to.
    if (procedure_ends) AppendSeparatorBlock(model.form_code);
  }
  return true;
}

void ReadSourceFilesReporting(Workspace& ws, RunHost* host) {
  for (const Text& item : ws.analysis.source_files) {
    const bool designer_file = Upper(ExtensionPart(item)) == "PBF";
    const std::string path = SourceFileOpenPath(ws, item);
    OutsideConstantReader outside(item, &ws.analysis.outside_constants);
    DeclarationReader declarations(ws.analysis, outside);
    ws.analysis.form_file_starts.push_back(ws.analysis.form_code.size());
    if (!ReadOneSourceFile(ws.analysis, path, designer_file, declarations) && host) {
      host->AddLogLine(log::SourceOpenError(FromUtf8(path)));
    }
  }
}

}  // namespace

void ReadSourceFiles(Workspace& ws) { ReadSourceFilesReporting(ws, nullptr); }

void ReadSourceFiles(Workspace& ws, RunHost& host) { ReadSourceFilesReporting(ws, &host); }

}  // namespace quillon
