#include "run/undo_journal.h"

#include <utility>

namespace quillon {

bool UndoJournal::WriteFile(const std::string& path, const std::string& bytes, SymlinkPolicy policy) {
  const std::string directory = ProjectDirectoryPath();
  const std::string backup_prefix = directory + "Backup/";
  if (directory.empty() || path.compare(0, backup_prefix.size(), backup_prefix) == 0) {
    return target_.WriteFile(path, bytes, policy);
  }
  // What was there before the first write of the run is what undo restores.
  const auto known = index_.find(path);
  UndoEntry before;
  if (known == index_.end()) {
    before.path = path;
    before.created = !FileExists(path);
    // A file that exists but cannot be read is written as before, but undo
    // could not bring it back: it stays out of the record.
    if (!before.created && !ReadFileBytes(path, &before.old_bytes)) return target_.WriteFile(path, bytes, policy);
  }
  if (!target_.WriteFile(path, bytes, policy)) return false;
  if (known != index_.end()) {
    record_.entries[known->second].written_sha256 = Sha256Hex(bytes);
    return true;
  }
  before.written_sha256 = Sha256Hex(bytes);
  index_.emplace(path, record_.entries.size());
  record_.entries.push_back(std::move(before));
  return true;
}

bool UndoJournal::Save() {
  const std::string directory = ProjectDirectoryPath();
  if (directory.empty()) return true;
  target_.MakeDirectory(directory + "Backup", 0700);
  if (!target_.MakeDirectory(UndoRecordDirectory(directory), 0700)) return false;
  return target_.WriteFile(UndoRecordPath(directory), EncodeUndoRecord(record_, directory),
                           SymlinkPolicy::kReplaceLink);
}

}  // namespace quillon
