// Notes what a generation run writes, for undo: a layer in front of the
// run's file system. Backup copies (below Backup/) are passed on unnoted.
// The record is written as the run goes, into a temporary file beside the
// previous record: what each file held before its first write is copied
// there in pieces, never held whole.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "io/forwarding_file_system.h"
#include "model/project_model.h"
#include "run/undo_record.h"

namespace quillon {

class UndoJournal final : public ForwardingFileSystem {
 public:
  // The project's directory is looked up at each write: a run may name an
  // unnamed project on its way.
  UndoJournal(FileSystem& target, const Project& project) : ForwardingFileSystem(target), project_(project) {}

  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override;

  // Replaces the previous record with this run's, atomically, through the
  // run's file system; whatever stands at its path is replaced, never
  // written through. False when it could not be written (the old one stays)
  // or the run replaced more than a record may hold (the old one is
  // removed: its files hold this run's bytes now); true without a record
  // for a project that has no folder.
  bool Save();

 private:
  std::string ProjectDirectoryPath() const { return ToUtf8(ProjectDirectory(project_)); }
  // Begins the record at the first noted write.
  bool Begin(const std::string& directory);
  // Appends the entry of `path` before its first write, starting at
  // `*entry_start`; false when the file stays out of the record.
  bool AddEntry(const std::string& path, const std::string& directory, std::string_view bytes,
                std::uint64_t* entry_start);
  // The record cannot be completed: the previous one stays.
  void Fail() {
    failed_ = true;
    record_.reset();
  }

  static constexpr std::uint64_t kLeftOut = UINT64_MAX;

  const Project& project_;
  std::unique_ptr<StreamedFile> record_;          // the temporary file until Save
  std::string record_directory_;                  // the project folder it was begun in
  std::map<std::string, std::uint64_t> hash_at_;  // path -> where its entry's hash lies, or kLeftOut
  size_t entries_ = 0;                            // files written that the record is for
  std::uint64_t held_ = 0;                        // old bytes in the record so far
  bool failed_ = false;
  bool too_large_ = false;
};

}  // namespace quillon
