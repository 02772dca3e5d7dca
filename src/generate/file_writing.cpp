#include "generate/file_writing.h"

#include "host/log_lines.h"
#include "text/encoding.h"

namespace quillon {

namespace {

template <class LineList>
EncodedFile Encode(const Workspace& ws, const LineList& lines) {
  EncodedFile file;
  int format = ws.analysis.output_format == kOutputUtf8 ? kOutputUtf8 : kOutputAscii;
  if (format == kOutputAscii && NeedsWideEncoding(lines)) {
    // One byte per character would drop these characters; keep them instead.
    file.needs_utf8 = true;
    format = kOutputUtf8;
  }
  file.bytes = EncodeLines(lines, format);
  if (format == kOutputAscii && DetectBom(file.bytes).format != kFormatAscii) {
    // Bytes that begin like a mark would be read back as another encoding
    // (a first line starting with U+00FF U+00FE as UTF-16): the mark says
    // what they are.
    file.needs_utf8 = true;
    file.bytes = EncodeLines(lines, kOutputUtf8);
  }
  return file;
}

}  // namespace

EncodedFile EncodeGeneratedFile(const Workspace& ws, const Lines& lines) { return Encode(ws, lines); }

EncodedFile EncodeGeneratedFile(const Workspace& ws, const LineStore& lines) { return Encode(ws, lines); }

bool WriteEncodedFile(Workspace& ws, RunHost& host, const Text& path, const EncodedFile& file) {
  if (file.needs_utf8) host.AddLogLine(log::Utf8Needed(path));
  // The file is replaced atomically: a failure leaves the old one intact.
  const WriteResult result = ws.files->ReplaceFile(ToUtf8(path), file.bytes);
  if (result != WriteResult::kWritten) {
    host.AddLogLine(result == WriteResult::kChanged ? log::ChangedDuringRun(path) : log::ErrorFile(path));
    return false;
  }
  host.AddLogLine(log::WriteFile(path));
  return true;
}

}  // namespace quillon
