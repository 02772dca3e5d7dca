// --dry-run and --check: what a run would change, as unified diffs.
#pragma once

#include <cstdio>
#include <string>

#include "io/overlay_file_system.h"

namespace quillon::cli {

// The name shown for a path: relative to the project directory when it lies
// inside it, else the path itself.
std::string DisplayName(const std::string& path, const std::string& project_directory);

// Prints one diff (or the one-line encoding note) per recorded output that
// differs from the disk; returns how many outputs differ.
size_t PrintPreview(const OverlayFileSystem& overlay, const std::string& project_directory, std::FILE* out);

// Copies into the project's Backup folder are not changes of the project:
// they only mirror the state before the run. A preview keeps none of them.
std::string BackupDirectory(const std::string& project_directory);

// Unified diff of two file contents with 3 lines of context, headers included;
// empty when the contents are equal.
std::string UnifiedDiff(const std::string& before, const std::string& after, const std::string& name,
                        bool before_exists);

}  // namespace quillon::cli
