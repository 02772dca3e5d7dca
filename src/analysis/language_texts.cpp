#include "analysis/language_texts.h"

#include "host/log_lines.h"
#include "text/encoding.h"

namespace quillon {

void InsertLanguageCalls(Workspace& ws) {
  Text upper;
  for (Text& line : ws.analysis.form_code) {
    UpperInto(line, &upper);
    if (ContainsUpper(upper, "OPENWINDOW(") || ContainsUpper(upper, "LOADIMAGE(") ||
        ContainsUpper(upper, "CATCHIMAGE(")) {
      continue;
    }
    const long q = Position(line, '"');
    if (q == 0) continue;
    const long a = q + 1;
    const long b = Position(line, '"', a);
    if (b == 0) continue;
    const long n = b - a;
    line = Concat({LeftView(line, q - 1), "MyLanguage(", MidView(line, q, n + 2), ")",
                   MidView(line, q + n + 2, static_cast<long>(line.size()))});
  }
}

namespace {

template <class LineList>
void CollectTexts(Workspace& ws, const LineList& lines) {
  LanguageMap& strings = ws.analysis.language_strings;
  for (TextView line : lines) {
    if (!ContainsNoCase(line, "MYLANGUAGE(")) continue;
    const long a = Position(line, '"') + 1;
    const long b = Position(line, '"', a);
    if (b - a <= 0) continue;
    const TextView text = MidView(line, a, b - a);
    if (!strings.Contains(text)) strings.Set(text, text);
  }
}

}  // namespace

void CollectLanguageTexts(Workspace& ws, const Lines& lines) { CollectTexts(ws, lines); }

void CollectLanguageTexts(Workspace& ws, const LineStore& lines) { CollectTexts(ws, lines); }

void CollectLanguageStrings(Workspace& ws, RunHost& host) {
  AnalysisModel& model = ws.analysis;
  CollectLanguageTexts(ws, model.form_code);
  CollectLanguageTexts(ws, model.main_lines);
  for (const LineStore* lines :
       {&model.event_menu_lines, &model.event_gadget_lines, &model.event_window_lines, &model.event_designer_lines}) {
    CollectLanguageTexts(ws, *lines);
  }
  for (const Text& path : model.include_files) {
    model.include_file_lines.clear();
    TextFile file;
    if (!ReadTextFileAs(*ws.files, ToUtf8(path), AsciiOrUtf8, &file, model.output_format)) {
      host.AddLogLine(log::ErrorOpenFile(path));
      continue;
    }
    model.include_file_lines = std::move(file.lines);
    CollectLanguageTexts(ws, model.include_file_lines);
  }
}

}  // namespace quillon
