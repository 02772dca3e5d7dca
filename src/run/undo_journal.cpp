#include "run/undo_journal.h"

#include "io/file_io.h"
#include "io/owned_files.h"

namespace quillon {

bool UndoJournal::Begin(const std::string& directory) {
  if (record_) return true;
  if (failed_ || too_large_) return false;
  // The record's folders must be the project owner's real folders; the
  // temporary file beside the previous record is made there at once.
  if (!target().MakePrivateFolder(directory + "Backup") ||
      !target().MakePrivateFolder(UndoRecordDirectory(directory)) ||
      !target().BeginOwnedFile(directory, kUndoRecordRelative, &record_) || !record_->Append(kUndoRecordStart)) {
    Fail();
    return false;
  }
  record_directory_ = directory;
  return true;
}

bool UndoJournal::AddEntry(const std::string& path, const std::string& directory, std::string_view bytes,
                           std::uint64_t* entry_start) {
  if (!Begin(directory)) return false;
  // What was there before the first write of the run is what undo restores.
  // It is read beside the run's file system, so that the run's record of
  // what it read (kept to notice other programs' edits) stays as it was.
  const bool created = !FileExists(path);
  std::uint64_t old_size = 0;
  if (!created) {
    const long long size = FileSize(path);
    // A file that exists but cannot be read is written as before, but undo
    // could not bring it back: it stays out of the record.
    if (size < 0) return false;
    old_size = static_cast<std::uint64_t>(size);
    // Undo holds what it restores in memory: past the limit this run leaves
    // no record.
    if (old_size > kMaxUndoRecordBytes - held_) {
      too_large_ = true;
      record_.reset();
      return false;
    }
  }
  *entry_start = record_->Size();
  bool appended = record_->Append(UndoEntryHead(path, created, Sha256Hex(bytes), old_size, directory));
  // A file that changes size while it is copied is left out like one that
  // cannot be read: its entry must hold exactly the size its head states.
  bool whole = true;
  if (appended && !created) {
    std::uint64_t copied = 0;
    const auto copy = [&](const char* data, size_t size) {
      if (!appended || !whole) return;
      whole = size <= old_size - copied;
      if (whole) appended = record_->Append(std::string_view(data, size));
      copied += size;
    };
    FileIdentity identity;
    whole = ReadFileInPieces(path, copy, &identity) && whole && copied == old_size;
  }
  if (appended && whole) appended = record_->Append("\n");
  if (!appended) {
    Fail();
    return false;
  }
  if (!whole) {
    if (!record_->Truncate(*entry_start)) Fail();
    return false;
  }
  held_ += old_size;
  hash_at_[path] = *entry_start + UndoEntryHashOffset(created);
  return true;
}

WriteResult UndoJournal::ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string directory = ProjectDirectoryPath();
  const std::string backup_prefix = directory + "Backup/";
  if (directory.empty() || path.compare(0, backup_prefix.size(), backup_prefix) == 0) {
    return target().ReplaceFile(path, bytes);
  }
  const auto known = hash_at_.find(path);
  if (known != hash_at_.end()) {
    // Written again: the entry keeps the old bytes and takes the new hash.
    const WriteResult result = target().ReplaceFile(path, bytes);
    if (result == WriteResult::kWritten && known->second != kLeftOut && record_ &&
        !record_->Overwrite(known->second, Sha256Hex(bytes))) {
      Fail();
    }
    return result;
  }
  const std::uint64_t held = held_;
  std::uint64_t entry_start = 0;
  const bool noted = AddEntry(path, directory, bytes, &entry_start);
  const bool left_out = !noted && !failed_ && !too_large_;
  const WriteResult result = target().ReplaceFile(path, bytes);
  if (result == WriteResult::kWritten) {
    if (left_out) {
      hash_at_[path] = kLeftOut;  // its later writes stay out too
    } else {
      ++entries_;
    }
    return result;
  }
  // Not written: nothing to undo; a later write notes the file afresh.
  if (noted) {
    hash_at_.erase(path);
    held_ = held;
    if (record_ && !record_->Truncate(entry_start)) Fail();
  }
  return result;
}

bool UndoJournal::Save() {
  const std::string directory = record_directory_.empty() ? ProjectDirectoryPath() : record_directory_;
  // A run that wrote nothing (every write refused) leaves the previous
  // record: its files may still hold what that run wrote.
  if (directory.empty() || entries_ == 0) return true;
  if (too_large_) {
    RemoveOwnedFile(directory, kUndoRecordRelative);
    return false;
  }
  if (failed_ || !record_) return false;
  const bool saved = record_->Append(kUndoRecordEnd) && record_->Finish() == WriteResult::kWritten;
  record_.reset();
  return saved;
}

}  // namespace quillon
