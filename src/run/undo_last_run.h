// Undo of the last completed generation run of a project, from its record.
// It is all or nothing: when any file the run wrote was changed since, undo
// changes nothing (a partial undo would leave procedures and their dispatch
// out of step). The record is untrusted input: a project folder may come
// from anyone, so an entry may only name a file inside the project folder
// or an include file the project's Main.pb names now.
#pragma once

#include <functional>
#include <string>

#include "io/file_system.h"
#include "text/text.h"

namespace quillon {

enum class UndoOutcome {
  kNothingToUndo,  // no record
  kRestored,       // every recorded file restored or removed
  kSomeKept,       // nothing done (a file changed since, or outside), or a restore failed
  kBusy,           // a run of the project is in progress
};

// True when the project directory holds a record of a run (one undo
// refuses as too large counts: undo says so).
bool HasUndoRecord(const std::string& project_directory);
// When the recorded run ended (seconds since the epoch); -1 without record.
long long UndoRecordTime(const std::string& project_directory);

// Takes the project's run lock, then logs " -> Restored <path>",
// " -> Removed <path>" per recorded file, or only the reasons that stop it
// (" -> Kept <path>: changed since the run", " -> Kept <path>: outside the
// project"), then "Ready." and an empty line. The record is deleted after a
// complete undo (one step of undo). Restores go through `files` under the
// write rules. A dry run logs the same and changes nothing.
UndoOutcome UndoLastRun(const std::string& project_directory, FileSystem& files, bool dry_run,
                        const std::function<void(const Text&)>& log);

}  // namespace quillon
