// Writing one generated file into the project directory.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Encodes `lines` in the run's output format (LF after every line) and hands
// them to the workspace's writer, logging " -> Write File " or
// " -> Error File ". A single-byte run whose file needs characters above
// U+00FF writes that file as UTF-8 with mark instead, after logging a
// warning (so the warning precedes the file's write line). True when written.
bool WriteGeneratedFile(Workspace& ws, RunHost& host, const Text& path, const Lines& lines);

}  // namespace quillon
