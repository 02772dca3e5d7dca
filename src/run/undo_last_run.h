// Undo of the last completed generation run of a project, from its record:
// every file that still holds what the run wrote gets its old bytes back (or
// is removed when the run created it); a file changed since is left alone.
#pragma once

#include <functional>
#include <string>

#include "io/file_system.h"
#include "text/text.h"

namespace quillon {

enum class UndoOutcome {
  kNothingToUndo,  // no complete record
  kRestored,       // every recorded file restored or removed
  kSomeKept,       // some file was changed since the run, or could not be restored
};

// True when the project directory holds a complete record of a run.
bool HasUndoRecord(const std::string& project_directory);

// Logs " -> Restored <path>", " -> Removed <path>" or " -> Kept <path>:
// changed since the run" per recorded file, then "Ready." and an empty line.
// Restores go through `files`. Afterwards the record is deleted (one step
// of undo), unless a restore failed. A dry run logs the same and changes
// nothing.
UndoOutcome UndoLastRun(const std::string& project_directory, FileSystem& files, bool dry_run,
                        const std::function<void(const Text&)>& log);

}  // namespace quillon
