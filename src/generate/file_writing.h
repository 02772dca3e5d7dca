// Writing one generated file into the project directory.
#pragma once

#include <string>

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// A generated file is written in two steps, so that its lines can go before
// its bytes are written. EncodeGeneratedFile encodes the lines in the run's
// output format (LF after every line); a single-byte run whose file needs
// characters above U+00FF writes that file as UTF-8 with mark instead.
// WriteEncodedFile hands the bytes to the workspace's writer, logging
// " -> Write File " or " -> Error File ", after the UTF-8 warning when there
// is one (so the warning precedes the file's write line). True when written.
struct EncodedFile {
  std::string bytes;
  bool needs_utf8 = false;
};
EncodedFile EncodeGeneratedFile(const Workspace& ws, const Lines& lines);
EncodedFile EncodeGeneratedFile(const Workspace& ws, const LineStore& lines);
bool WriteEncodedFile(Workspace& ws, RunHost& host, const Text& path, const EncodedFile& file);

}  // namespace quillon
