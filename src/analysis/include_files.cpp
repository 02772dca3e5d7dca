#include "analysis/include_files.h"

#include <algorithm>
#include <array>

#include "text/encoding.h"

namespace quillon {

namespace {

// The name after `keyword`, whose opening quote is looked for from
// `quote_search_offset` characters after the keyword's start.
Text NameAfterKeyword(const Text& line, TextView keyword, long quote_search_offset) {
  const long p = Position(line, keyword);
  if (p == 0) return Text();
  const long semicolon = Position(line, ';');
  const long quote = Position(line, '"');
  if ((semicolon > 0 && semicolon <= p) || (quote > 0 && quote <= p)) return Text();
  const long a = Position(line, '"', p + quote_search_offset) + 1;
  const long b = Position(line, '"', a);
  return b > 0 ? Mid(line, a, b - a) : Text();
}

bool IsGeneratedFileName(const Text& name) {
  static const std::array<TextView, 6> kGenerated = {"COMMONFILE.PB",  "EVENTMAIN.PB",   "EVENTMENU.PB",
                                                     "EVENTGADGET.PB", "EVENTWINDOW.PB", "EVENTDESIGNER.PB"};
  const Text upper = Upper(name);
  for (TextView generated : kGenerated) {
    if (upper == generated) return true;
  }
  return false;
}

}  // namespace

Text IncludeNameOfLine(const Text& line) {
  Text name = NameAfterKeyword(line, "IncludeFile", 12);
  const Text x_name = NameAfterKeyword(line, "XIncludeFile", 13);
  if (!x_name.empty()) name = x_name;
  return name;
}

Text ResolveIncludeName(const Text& project_directory, const Text& name) {
  if (!name.empty() && name[0] == '/') {
    return Left(project_directory, static_cast<long>(project_directory.size()) - 1) + name;
  }
  return project_directory + name;
}

void CollectIncludeFiles(Workspace& ws, const Text& main_file_name) {
  if (main_file_name.empty()) return;
  const Text project_directory = ProjectDirectory(ws.project);
  TextFile main_file;
  if (!ReadTextFileAs(*ws.files, ToUtf8(project_directory + main_file_name), AsciiOrUtf8, &main_file,
                      ws.analysis.output_format)) {
    return;
  }
  for (const Text& line : main_file.lines) {
    const Text name = IncludeNameOfLine(line);
    if (name.empty() || IsGeneratedFileName(name)) continue;
    // A file named twice (e.g. in both branches of a CompilerIf) is updated
    // once: a second update would rename what the first one already renamed.
    Text path = ResolveIncludeName(project_directory, name);
    Lines& include_files = ws.analysis.include_files;
    if (std::find(include_files.begin(), include_files.end(), path) == include_files.end()) {
      include_files.push_back(std::move(path));
    }
  }
}

}  // namespace quillon
