// Questions about paths that lie outside a run's file system: the settings
// folder, the reason behind a failed read or write, the one spelling of a
// file, and removing a file undo created.
#pragma once

#include <string>

#include "io/file_system.h"

namespace quillon {

// True when this user may create and rename entries in `folder`.
bool CanWriteInFolder(const std::string& folder);
// True when `path` exists and this user may not write it.
bool IsWriteProtected(const std::string& path);
// The kind of `path` (links followed) and 0, or the system's error number
// when it cannot be looked at.
int LookAt(const std::string& path, FileKind* kind);
// The absolute path without links, "." and ".."; false when it does not exist.
bool ResolvedPath(const std::string& path, std::string* resolved);
// Removes a file (a link itself, never its target); false when it fails.
bool RemoveFile(const std::string& path);

}  // namespace quillon
