// Writing one generated file into the project directory.
#pragma once

#include <string>

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Encodes `lines` in the run's output format (LF after every line) and hands
// them to the workspace's writer, logging " -> Write File " or
// " -> Error File ". A single-byte run whose file needs characters above
// U+00FF writes that file as UTF-8 with mark instead, after logging a
// warning (so the warning precedes the file's write line). True when written.
bool WriteGeneratedFile(Workspace& ws, RunHost& host, const Text& path, const Lines& lines);

// The same in two steps, for a file whose lines are let go long before it is
// written: its bytes, and whether a single-byte run has to write it as UTF-8
// (the warning is logged when it is written).
struct EncodedFile {
  std::string bytes;
  bool needs_utf8 = false;
};
EncodedFile EncodeGeneratedFile(const Workspace& ws, const Lines& lines);
EncodedFile EncodeGeneratedFile(const Workspace& ws, const LineStore& lines);
bool WriteEncodedFile(Workspace& ws, RunHost& host, const Text& path, const EncodedFile& file);

}  // namespace quillon
