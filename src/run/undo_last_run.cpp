#include "run/undo_last_run.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "analysis/include_files.h"
#include "generate/generated_files.h"
#include "host/log_lines.h"
#include "io/file_io.h"
#include "io/interrupt_cleanup.h"
#include "io/owned_files.h"
#include "io/path_queries.h"
#include "io/write_rules.h"
#include "model/workspace.h"
#include "run/undo_record.h"

namespace quillon {

namespace {

enum class RecordState { kNone, kRead, kUnreadable };

RecordState ReadRecord(const std::string& project_directory, UndoRecord* record) {
  if (project_directory.empty()) return RecordState::kNone;
  std::string bytes;
  switch (ReadOwnedFile(project_directory, kUndoRecordRelative, kMaxUndoRecordBytes, &bytes)) {
    case OwnedRead::kMissing: return RecordState::kNone;
    case OwnedRead::kRead:
      // Only a complete record is one: a run replaces it atomically.
      return DecodeUndoRecord(bytes, project_directory, record) ? RecordState::kRead : RecordState::kNone;
    default: return RecordState::kUnreadable;
  }
}

// One file of the record, however many spellings name it: the bytes before
// the run's first write and the hash of its last.
struct UndoStep {
  std::string path;  // the first spelling, for the log
  bool created = false;
  std::string old_bytes;
  std::string written_sha256;
  bool allowed = false;
};

// The include files the project's Main.pb names now, resolved.
std::set<std::string> IncludedNow(const std::string& project_directory, FileSystem& files) {
  Workspace ws;
  ws.files = &files;
  // Only the folder of the project path matters here.
  ws.project.project_path = FromUtf8(project_directory) + Text(kMainFile);
  CollectIncludeFiles(ws, Text(kMainFile));
  std::set<std::string> included;
  for (const Text& path : ws.analysis.include_files) {
    std::string resolved;
    if (ResolvedPathOrFolder(ToUtf8(path), &resolved)) included.insert(resolved);
  }
  return included;
}

std::vector<UndoStep> StepsOf(UndoRecord& record, const std::string& project_directory, FileSystem& files) {
  std::string project_folder;
  if (!ResolvedPath(project_directory, &project_folder)) return {};
  project_folder += "/";
  const std::set<std::string> included = IncludedNow(project_directory, files);
  std::vector<UndoStep> steps;
  std::map<std::string, size_t> by_file;
  for (UndoEntry& entry : record.entries) {
    std::string resolved;
    const bool resolves = ResolvedPathOrFolder(entry.path, &resolved);
    const auto known = resolves ? by_file.find(resolved) : by_file.end();
    if (known != by_file.end()) {
      steps[known->second].written_sha256 = entry.written_sha256;
      continue;
    }
    UndoStep step;
    step.path = entry.path;
    step.created = entry.created;
    step.old_bytes = std::move(entry.old_bytes);
    step.written_sha256 = entry.written_sha256;
    step.allowed = resolves &&
                   (resolved.compare(0, project_folder.size(), project_folder) == 0 || included.count(resolved) > 0);
    if (resolves) by_file.emplace(resolved, steps.size());
    steps.push_back(std::move(step));
  }
  return steps;
}

enum class FileState { kAsWritten, kAsBefore, kChanged };

FileState StateOf(const UndoStep& step, FileIdentity* identity) {
  std::string hash;
  if (!Sha256OfFile(step.path, &hash, identity)) {
    return step.created && KindOfPath(step.path) == FileKind::kMissing ? FileState::kAsBefore : FileState::kChanged;
  }
  if (hash == step.written_sha256) return FileState::kAsWritten;
  // A retry after a failed undo finds some files restored already.
  if (!step.created && hash == Sha256Hex(step.old_bytes)) return FileState::kAsBefore;
  return FileState::kChanged;
}

// Restores or removes one file whose content is still the run's; false when
// it could not be done.
bool UndoOne(const UndoStep& step, const FileIdentity& seen, long long owner, FileSystem& files, bool dry_run,
             const std::function<void(const Text&)>& log) {
  const Text path = FromUtf8(step.path);
  // Another program may have saved it since it was hashed.
  if (files.IdentityOf(step.path) != seen) {
    log(log::ChangedDuringRun(path));
    return false;
  }
  if (step.created) {
    if (!(dry_run ? MayRemoveFile(step.path, owner) : RemoveFileUnderRules(step.path, owner))) {
      log(log::ErrorFile(path));
      return false;
    }
    // The run that made it is no longer what stands there: the next run
    // creates it anew instead of taking it for another program's edit.
    if (!dry_run) files.ForgetRead(step.path);
    log(" -> Removed " + path);
    return true;
  }
  switch (dry_run ? files.CheckReplace(step.path) : files.ReplaceFile(step.path, step.old_bytes)) {
    case WriteResult::kWritten: log(" -> Restored " + path); return true;
    case WriteResult::kChanged: log(log::ChangedDuringRun(path)); return false;
    case WriteResult::kFailed: log(log::ErrorWriteFile(path)); return false;
  }
  return false;
}

UndoOutcome Finish(UndoOutcome outcome, const std::function<void(const Text&)>& log) {
  log(Text(log::kReady));
  log(Text());
  return outcome;
}

}  // namespace

bool HasUndoRecord(const std::string& project_directory) {
  if (project_directory.empty()) return false;
  const OwnedRead found = LookAtOwnedFile(project_directory, kUndoRecordRelative, kMaxUndoRecordBytes);
  return found != OwnedRead::kMissing && found != OwnedRead::kFailed;
}

long long UndoRecordTime(const std::string& project_directory) {
  return project_directory.empty() ? -1 : OwnedFileTime(project_directory, kUndoRecordRelative);
}

UndoOutcome UndoLastRun(const std::string& project_directory, FileSystem& files, bool dry_run,
                        const std::function<void(const Text&)>& log) {
  ScopedInterruptCleanup interrupt_cleanup;
  if (project_directory.empty()) return UndoOutcome::kNothingToUndo;
  files.SetProjectFolder(project_directory);
  // An undo while a run writes would mix the two.
  std::unique_ptr<FolderLock> lock;
  if (files.LockFolder(project_directory, &lock) == LockResult::kBusy) {
    log(Text(log::kRunInProgress));
    log(Text(log::kCancel));
    log(Text());
    return UndoOutcome::kBusy;
  }
  UndoRecord record;
  switch (ReadRecord(project_directory, &record)) {
    case RecordState::kNone: return UndoOutcome::kNothingToUndo;
    case RecordState::kUnreadable:
      // A link, a foreign folder or a record too large to hold.
      log(log::ErrorFile(FromUtf8(UndoRecordPath(project_directory))));
      return Finish(UndoOutcome::kSomeKept, log);
    case RecordState::kRead: break;
  }
  const std::vector<UndoStep> steps = StepsOf(record, project_directory, files);
  std::vector<FileState> states;
  std::vector<FileIdentity> identities(steps.size());
  bool blocked = steps.empty() && !record.entries.empty();
  for (size_t i = 0; i < steps.size(); ++i) {
    const UndoStep& step = steps[i];
    if (!step.allowed) {
      log(" -> Kept " + FromUtf8(step.path) + ": outside the project");
      blocked = true;
      states.push_back(FileState::kChanged);
      continue;
    }
    states.push_back(StateOf(step, &identities[i]));
    if (states.back() == FileState::kChanged) {
      log(" -> Kept " + FromUtf8(step.path) + ": changed since the run");
      blocked = true;
    }
  }
  // All or nothing: the record stays for a later try.
  if (blocked) return Finish(UndoOutcome::kSomeKept, log);

  const long long owner = disk::OwnerOfFolder(project_directory).uid;
  bool failed = false;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (states[i] == FileState::kAsBefore) {
      log((steps[i].created ? " -> Removed " : " -> Restored ") + FromUtf8(steps[i].path));
    } else if (!UndoOne(steps[i], identities[i], owner, files, dry_run, log)) {
      failed = true;
    }
  }
  // A failed restore keeps the record, so undo can be tried again.
  if (!dry_run && !failed && !RemoveOwnedFile(project_directory, kUndoRecordRelative)) {
    log(log::ErrorFile(FromUtf8(UndoRecordPath(project_directory))));
    failed = true;
  }
  return Finish(failed ? UndoOutcome::kSomeKept : UndoOutcome::kRestored, log);
}

}  // namespace quillon
