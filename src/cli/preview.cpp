#include "cli/preview.h"

#include <dtl/dtl.hpp>

#include <algorithm>

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

std::string BackupDirectory(const std::string& project_directory) { return project_directory + "Backup/"; }

namespace {

constexpr size_t kContext = 3;

// Hunks with kContext lines of context around each change, changes closer
// than twice that joined into one hunk, from the edit script that dtl found.
std::string FormatHunks(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  dtl::Diff<std::string, std::vector<std::string>> diff(a, b);
  diff.onHuge();
  diff.compose();
  const auto ses = diff.getSes().getSequence();
  const size_t n = ses.size();
  // Line numbers (from 1) that the element at index i has, or would have, in
  // the old and the new text.
  std::vector<size_t> old_line(n + 1), new_line(n + 1);
  old_line[0] = new_line[0] = 1;
  for (size_t i = 0; i < n; ++i) {
    const auto type = ses[i].second.type;
    old_line[i + 1] = old_line[i] + (type != dtl::SES_ADD ? 1 : 0);
    new_line[i + 1] = new_line[i] + (type != dtl::SES_DELETE ? 1 : 0);
  }
  std::string out;
  size_t i = 0;
  while (i < n) {
    if (ses[i].second.type == dtl::SES_COMMON) {
      ++i;
      continue;
    }
    // Extend over later changes separated by at most 2 * kContext common lines.
    size_t last = i;
    for (size_t j = i + 1; j < n && j <= last + 2 * kContext + 1; ++j) {
      if (ses[j].second.type != dtl::SES_COMMON) last = j;
    }
    const size_t from = i >= kContext ? i - kContext : 0;
    const size_t to = std::min(n, last + kContext + 1);
    const size_t old_count = old_line[to] - old_line[from];
    const size_t new_count = new_line[to] - new_line[from];
    out += "@@ -" + std::to_string(old_count ? old_line[from] : old_line[from] - 1) + "," + std::to_string(old_count) +
           " +" + std::to_string(new_count ? new_line[from] : new_line[from] - 1) + "," + std::to_string(new_count) +
           " @@\n";
    // Within a run of changed lines the removed ones come first, as diff(1) shows them.
    for (size_t k = from; k < to;) {
      if (ses[k].second.type == dtl::SES_COMMON) {
        out.append(" ").append(ses[k].first).append("\n");
        ++k;
        continue;
      }
      size_t run_end = k;
      while (run_end < to && ses[run_end].second.type != dtl::SES_COMMON) ++run_end;
      for (const auto type : {dtl::SES_DELETE, dtl::SES_ADD}) {
        for (size_t r = k; r < run_end; ++r) {
          if (ses[r].second.type == type)
            out.append(type == dtl::SES_ADD ? "+" : "-").append(ses[r].first).append("\n");
        }
      }
      k = run_end;
    }
    i = to;
  }
  return out;
}

}  // namespace

std::string UnifiedDiff(const std::string& before, const std::string& after, const std::string& name,
                        bool before_exists) {
  if (before == after) return std::string();
  const std::vector<std::string> a = SplitRawLines(before);
  const std::vector<std::string> b = SplitRawLines(after);
  std::string out = "--- " + (before_exists ? "a/" + name : std::string("/dev/null")) + "\n+++ b/" + name + "\n";
  if (a.empty()) {
    // Everything is new: one hunk of added lines, no need for a diff.
    out += "@@ -0,0 +1," + std::to_string(b.size()) + " @@\n";
    for (const std::string& line : b) out.append("+").append(line).append("\n");
    return out;
  }
  return out + FormatHunks(a, b);
}

size_t PrintPreview(const OverlayFileSystem& overlay, const std::string& project_directory, std::FILE* out) {
  size_t changed = 0;
  for (const OverlayFileSystem::Output& output : overlay.outputs()) {
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
