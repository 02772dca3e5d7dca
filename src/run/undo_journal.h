// Notes what a generation run writes, for undo: a layer in front of the
// run's file system. Backup copies (below Backup/) are passed on unnoted.
#pragma once

#include <cstdint>
#include <map>
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

  const Project& project_;
  UndoRecord record_;
  std::map<std::string, size_t> index_;  // path -> entry
  std::uint64_t held_ = 0;               // old bytes held so far
  bool too_large_ = false;
};

}  // namespace quillon
