#include "rewrite/include_update.h"

#include <string>

#include "io/file_io.h"
#include "rewrite/whole_word.h"
#include "run/log_lines.h"
#include "text/encoding.h"

namespace quillon {

namespace {

Text Join(TextView a, TextView b, TextView c = U"") {
  Text out(a);
  out.append(b);
  out.append(c);
  return out;
}

// Applies one rule to every line; counts the lines it changed.
template <typename Rule>
long ApplyRule(Lines* lines, Rule rule) {
  long changes = 0;
  for (Text& line : *lines) {
    Text changed = rule(line);
    if (changed != line) {
      line = std::move(changed);
      ++changes;
    }
  }
  return changes;
}

}  // namespace

long ApplyIncludeRules(const std::vector<Replacement>& replacements, Lines* lines) {
  long changes = 0;
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const Text find = Join(U"#", r.old_name, U"_");
    const Text replacement = Join(U"#", r.new_name, U"_");
    changes += ApplyRule(lines, [&](const Text& line) { return ReplaceNoCase(line, find, replacement); });
  }
  for (const Replacement& r : replacements) {
    const Text find = Join(U"#", r.old_name);
    const Text replacement = Join(U"#", r.new_name);
    changes += ApplyRule(lines, [&](const Text& line) { return ReplaceWholeWord(line, find, replacement); });
  }
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const Text find = Join(U"Open_", r.old_name, U"()");
    const Text replacement = Join(U"Open_", r.new_name, U"()");
    changes += ApplyRule(lines, [&](const Text& line) { return ReplaceWholeWord(line, find, replacement); });
  }
  return changes;
}

namespace {

void UpdateIncludeFile(Workspace& ws, RunHost& host, const Text& path) {
  const std::vector<Replacement>& replacements = ws.check.replacements;
  Lines& lines = ws.analysis.include_file_lines;
  lines.clear();
  const std::string file = ToUtf8(path);
  std::string bytes;
  if (!ws.files->ReadFile(file, &bytes)) {
    host.AddLogLine(log::ErrorOpenFile(path));
    return;
  }
  const BomInfo bom = DetectBom(bytes);
  // Wide-character files would read as garbage here; never rewrite them.
  if (bom.format != kFormatAscii && bom.format != kFormatUtf8) return;
  if (replacements.empty()) return;
  lines = DecodeLines(std::string_view(bytes).substr(bom.length), bom.format);

  const long changes = ApplyIncludeRules(replacements, &lines);
  if (changes == 0) return;
  host.AddLogLine(log::UpdateIncludeFile(path, changes));
  const bool utf8 = bom.format == kFormatUtf8;
  // A single-byte file cannot hold a character above U+00FF: writing it
  // would drop characters of a bound name, so the file keeps its content.
  if (!utf8 && NeedsWideEncoding(lines)) {
    host.AddLogLine(log::ErrorWriteFile(path));
    return;
  }
  const std::string out = EncodeLines(lines, utf8 ? kOutputUtf8 : kOutputAscii, /*with_bom=*/utf8);
  const WriteResult result = ws.files->ReplaceFile(file, out);
  if (result == WriteResult::kChanged) host.AddLogLine(log::ChangedDuringRun(path));
  if (result == WriteResult::kFailed) host.AddLogLine(log::ErrorWriteFile(path));
}

}  // namespace

void UpdateIncludeFiles(Workspace& ws, RunHost& host) {
  for (const Text& path : ws.analysis.include_files) UpdateIncludeFile(ws, host, path);
}

}  // namespace quillon
