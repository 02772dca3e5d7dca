#include "run/undo_journal.h"

#include <utility>

#include "io/file_io.h"
#include "io/owned_files.h"

namespace quillon {

WriteResult UndoJournal::ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string directory = ProjectDirectoryPath();
  const std::string backup_prefix = directory + "Backup/";
  if (directory.empty() || path.compare(0, backup_prefix.size(), backup_prefix) == 0) {
    return target().ReplaceFile(path, bytes);
  }
  // What was there before the first write of the run is what undo restores.
  // It is read beside the run's file system, so that the run's record of
  // what it read (kept to notice other programs' edits) stays as it was.
  const auto known = index_.find(path);
  UndoEntry before;
  if (known == index_.end()) {
    before.path = path;
    before.created = !FileExists(path);
    // A file that exists but cannot be read is written as before, but undo
    // could not bring it back: it stays out of the record.
    if (!before.created) {
      const long long size = FileSize(path);
      // What undo would restore is held until the record is written: past
      // the limit this run leaves no record.
      if (size >= 0 && static_cast<std::uint64_t>(size) > kMaxUndoRecordBytes - held_) {
        too_large_ = true;
        return target().ReplaceFile(path, bytes);
      }
      if (too_large_ || size < 0 || !ReadFileBytes(path, &before.old_bytes)) return target().ReplaceFile(path, bytes);
      held_ += before.old_bytes.size();
    }
  }
  const WriteResult result = target().ReplaceFile(path, bytes);
  if (result != WriteResult::kWritten) return result;
  if (known != index_.end()) {
    record_.entries[known->second].written_sha256 = Sha256Hex(bytes);
    return result;
  }
  before.written_sha256 = Sha256Hex(bytes);
  index_.emplace(path, record_.entries.size());
  record_.entries.push_back(std::move(before));
  return result;
}

bool UndoJournal::Save() {
  const std::string directory = ProjectDirectoryPath();
  // A run that wrote nothing (every write refused) leaves the previous
  // record: its files may still hold what that run wrote.
  if (directory.empty() || record_.entries.empty()) return true;
  if (!target().MakePrivateFolder(directory + "Backup") ||
      !target().MakePrivateFolder(UndoRecordDirectory(directory))) {
    return false;
  }
  if (too_large_) {
    RemoveOwnedFile(directory, kUndoRecordRelative);
    return false;
  }
  // A link shipped in its place names a file that is not the program's.
  RemoveLinkAt(directory, kUndoRecordRelative);
  // The record is the program's own: whatever undo or the user did to the
  // previous one, the new one replaces it.
  target().ForgetRead(UndoRecordPath(directory));
  return target().ReplaceFile(UndoRecordPath(directory), EncodeUndoRecord(record_, directory)) == WriteResult::kWritten;
}

}  // namespace quillon
