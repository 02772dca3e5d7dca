#include "run/undo_last_run.h"

#include "io/file_io.h"
#include "io/path_queries.h"
#include "host/log_lines.h"
#include "run/undo_record.h"

namespace quillon {

namespace {

bool ReadRecord(const std::string& project_directory, UndoRecord* record) {
  std::string bytes;
  return !project_directory.empty() && IsRegularFile(UndoRecordPath(project_directory)) &&
         ReadFileBytes(UndoRecordPath(project_directory), &bytes) && DecodeUndoRecord(bytes, project_directory, record);
}

// The run's bytes are still there: nobody changed the file since.
bool HoldsWhatTheRunWrote(const UndoEntry& entry) {
  std::string current;
  return IsRegularFile(entry.path) && ReadFileBytes(entry.path, &current) && Sha256Hex(current) == entry.written_sha256;
}

Text PathText(const std::string& path) { return FromUtf8(path); }

}  // namespace

bool HasUndoRecord(const std::string& project_directory) {
  UndoRecord record;
  return ReadRecord(project_directory, &record);
}

UndoOutcome UndoLastRun(const std::string& project_directory, FileSystem& files, bool dry_run,
                        const std::function<void(const Text&)>& log) {
  UndoRecord record;
  if (!ReadRecord(project_directory, &record)) return UndoOutcome::kNothingToUndo;
  bool all_restored = true;
  bool failed = false;
  for (const UndoEntry& entry : record.entries) {
    const Text path = PathText(entry.path);
    if (!HoldsWhatTheRunWrote(entry)) {
      log(U" -> Kept " + path + U": changed since the run");
      all_restored = false;
    } else if (entry.created) {
      if (dry_run || RemoveFile(entry.path)) {
        // The run that made it is no longer what stands there: the next run
        // creates it anew instead of taking it for another program's edit.
        if (!dry_run) files.ForgetRead(entry.path);
        log(U" -> Removed " + path);
      } else {
        log(log::ErrorFile(path));
        failed = true;
      }
    } else if (dry_run || files.ReplaceFile(entry.path, entry.old_bytes) == WriteResult::kWritten) {
      log(U" -> Restored " + path);
    } else {
      log(log::ErrorWriteFile(path));
      failed = true;
    }
  }
  // A failed restore keeps the record, so undo can be tried again.
  if (!dry_run && !failed) RemoveFile(UndoRecordPath(project_directory));
  log(Text(log::kReady));
  log(Text());
  return all_restored && !failed ? UndoOutcome::kRestored : UndoOutcome::kSomeKept;
}

}  // namespace quillon
