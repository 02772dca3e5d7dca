// Everything a generation run works on: the project, the analysis model, the
// constant-check lists, the keyword sets and the file system it reads and
// writes through.
#pragma once

#include "model/analysis_model.h"
#include "model/check_lists.h"
#include "io/disk_file_system.h"
#include "model/project_model.h"

namespace quillon {

struct Workspace {
  Project project;
  AnalysisModel analysis;
  CheckLists check;
  KeywordSets keywords;
  Lines user_gadgets;
  // Starting directory of every file chooser (kept in the settings file).
  Text last_path;
  DiskFileSystem disk;
  // What the run reads and writes: the disk unless a dry run or a test
  // swaps it.
  FileSystem* files = &disk;
  // A completed run leaves a record for undo; a preview, which writes
  // nothing, turns it off.
  bool keep_undo_record = true;

  // Byte path of the project directory (with trailing "/").
  std::string ProjectDirectoryPath() const { return ToUtf8(ProjectDirectory(project)); }
};

}  // namespace quillon
