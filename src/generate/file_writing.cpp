#include "generate/file_writing.h"

#include "host/log_lines.h"
#include "text/encoding.h"

namespace quillon {

bool WriteGeneratedFile(Workspace& ws, RunHost& host, const Text& path, const Lines& lines) {
  int format = ws.analysis.output_format == kOutputUtf8 ? kOutputUtf8 : kOutputAscii;
  if (format == kOutputAscii && NeedsWideEncoding(lines)) {
    // One byte per character would drop these characters; keep them instead.
    host.AddLogLine(log::Utf8Needed(path));
    format = kOutputUtf8;
  }
  // The file is replaced atomically: a failure leaves the old one intact.
  const WriteResult result = ws.files->ReplaceFile(ToUtf8(path), EncodeLines(lines, format));
  if (result != WriteResult::kWritten) {
    host.AddLogLine(result == WriteResult::kChanged ? log::ChangedDuringRun(path) : log::ErrorFile(path));
    return false;
  }
  host.AddLogLine(log::WriteFile(path));
  return true;
}

}  // namespace quillon
