#include "cli/preview.h"

#include <dtl/dtl.hpp>

#include <sstream>

#include "io/file_io.h"
#include "text/encoding.h"

namespace quillon::cli {

namespace {

std::vector<std::string> SplitRawLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t nl = bytes.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

// Same lines once each side is decoded by its own mark and line ends.
bool SameText(const std::string& a, const std::string& b) {
  const BomInfo ba = DetectBom(a);
  const BomInfo bb = DetectBom(b);
  return DecodeLines(std::string_view(a).substr(ba.length), ba.format) ==
         DecodeLines(std::string_view(b).substr(bb.length), bb.format);
}

}  // namespace

std::string DisplayName(const std::string& path, const std::string& project_directory) {
  if (!project_directory.empty() && project_directory.back() == '/' &&
      path.compare(0, project_directory.size(), project_directory) == 0) {
    return path.substr(project_directory.size());
  }
  return path;
}

std::string UnifiedDiff(const std::string& before, const std::string& after, const std::string& name,
                        bool before_exists) {
  if (before == after) return std::string();
  const std::vector<std::string> a = SplitRawLines(before);
  const std::vector<std::string> b = SplitRawLines(after);
  dtl::Diff<std::string, std::vector<std::string>> diff(a, b);
  diff.onHuge();
  diff.compose();
  diff.composeUnifiedHunks();
  std::ostringstream out;
  out << "--- " << (before_exists ? "a/" + name : std::string("/dev/null")) << "\n";
  out << "+++ b/" << name << "\n";
  std::ostringstream hunks;
  diff.printUnifiedFormat(hunks);
  std::string body = hunks.str();
  // An empty old side starts at line 0, as diff(1) writes it.
  if (a.empty() && body.rfind("@@ -1,0 ", 0) == 0) body.replace(0, 8, "@@ -0,0 ");
  out << body;
  return out.str();
}

size_t PrintPreview(const RecordingWriter& recorder, const std::string& project_directory, std::FILE* out) {
  size_t changed = 0;
  const std::string backup_directory = project_directory + "Backup/";
  for (const RecordingWriter::Output& output : recorder.outputs()) {
    // Backup copies hold the state before the run; they are not a change of the project.
    if (output.path.compare(0, backup_directory.size(), backup_directory) == 0) continue;
    std::string before;
    const bool exists = ReadFileBytes(output.path, &before);
    if (exists && before == output.bytes) continue;
    ++changed;
    const std::string name = DisplayName(output.path, project_directory);
    std::string text;
    if (exists && SameText(before, output.bytes)) {
      text = "~ " + name + ": encoding or line ends change\n";
    } else {
      text = UnifiedDiff(exists ? before : std::string(), output.bytes, name, exists);
    }
    std::fwrite(text.data(), 1, text.size(), out);
  }
  return changed;
}

}  // namespace quillon::cli
