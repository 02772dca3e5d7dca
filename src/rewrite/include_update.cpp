#include "rewrite/include_update.h"

#include <algorithm>
#include <string>

#include "analysis/source_loading.h"
#include "io/file_io.h"
#include "rewrite/prefix_rule.h"
#include "rewrite/whole_word_replacer.h"
#include "host/log_lines.h"
#include "text/encoding.h"

namespace quillon {

long ApplyIncludeRules(const std::vector<Replacement>& replacements, Lines* lines, const WindowPrefixGuard& guard,
                       const VariableRenames& variables) {
  long changes = 0;
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const Lines extending = guard.ExtendingWindows(r.old_name);
    const PrefixRule rule{Concat({"#", r.old_name, "_"}), Concat({"#", r.new_name, "_"}), 1, &extending};
    changes += ApplyPrefixRule(rule, *lines);
  }
  WholeWordReplacer constants;
  WholeWordReplacer calls;
  for (const Replacement& r : replacements) {
    constants.Add(Concat({"#", r.old_name}), Concat({"#", r.new_name}));
    if (r.kind == kKindWindow) {
      calls.Add(Concat({"Open_", r.old_name, "()"}), Concat({"Open_", r.new_name, "()"}));
    }
  }
  // Every constant record over every line first, then every call record, as
  // the rules are listed.
  for (const WholeWordReplacer* replacer : {&constants, &calls}) {
    if (replacer->Empty()) continue;
    for (Text& line : *lines) changes += replacer->Apply(line);
  }
  return changes + variables.Apply(*lines);
}

namespace {

// Every include file is read; a form source of the file list is never
// rewritten (the forms are the designer's files).
void UpdateIncludeFile(Workspace& ws, RunHost& host, const WindowPrefixGuard& guard, const VariableRenames& variables,
                       const Text& path, bool form_source) {
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
  if (replacements.empty() || form_source) return;
  lines = DecodeLines(std::string_view(bytes).substr(bom.length), bom.format);

  const long changes = ApplyIncludeRules(replacements, &lines, guard, variables);
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

// Whether `path` is one of the form sources of the file list, however it is
// spelt or linked: Main.pb may include a form.
bool IsFormSource(Workspace& ws, const std::vector<FileIdentity>& sources, const Text& path) {
  const FileIdentity id = ws.files->IdentityOf(ToUtf8(path));
  if (!id.exists) return false;
  return std::any_of(sources.begin(), sources.end(), [&](const FileIdentity& source) {
    return source.device == id.device && source.inode == id.inode;
  });
}

}  // namespace

void UpdateIncludeFiles(Workspace& ws, RunHost& host, const WindowPrefixGuard& guard,
                        const VariableRenames& variables) {
  // Without bindings no file is rewritten: the forms need not be looked up.
  const bool renaming = !ws.check.replacements.empty();
  std::vector<FileIdentity> sources;
  if (renaming) {
    for (const Text& item : ws.analysis.source_files) {
      const FileIdentity id = ws.files->IdentityOf(SourceFileOpenPath(ws, item));
      if (id.exists) sources.push_back(id);
    }
  }
  for (const Text& path : ws.analysis.include_files) {
    UpdateIncludeFile(ws, host, guard, variables, path, renaming && IsFormSource(ws, sources, path));
  }
}

}  // namespace quillon
