// Notes what a generation run writes, for undo: a writer in front of the real
// one. Writes below Backup/ (the backup copies) are passed on unnoted.
#pragma once

#include <map>
#include <string>

#include "io/output_writer.h"
#include "project/project_model.h"
#include "run/undo_record.h"

namespace quillon {

class UndoJournal final : public OutputWriter {
 public:
  // The project's directory is looked up at each write: a run may name an
  // unnamed project on its way.
  UndoJournal(OutputWriter& target, const Project& project) : target_(target), project_(project) {}

  bool WriteFile(const std::string& path, const std::string& bytes, SymlinkPolicy policy) override;
  bool MakeDirectory(const std::string& path, unsigned mode) override { return target_.MakeDirectory(path, mode); }

  // Replaces the previous record with this run's, atomically, through the
  // real writer. False when it could not be written (the old one stays);
  // true without a record for a project that has no folder.
  bool Save();

 private:
  OutputWriter& target_;
  std::string ProjectDirectoryPath() const { return ToUtf8(ProjectDirectory(project_)); }

  const Project& project_;
  UndoRecord record_;
  std::map<std::string, size_t> index_;  // path -> entry
};

}  // namespace quillon
