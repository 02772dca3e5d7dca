#include "rewrite/backup.h"

#include <string>
#include <vector>

#include "io/file_io.h"
#include "run/log_lines.h"

namespace quillon {

bool IsBackupName(std::string_view file_name) {
  // "*" matches any characters, the empty run included.
  return file_name.find(".pb") != std::string_view::npos;
}

namespace {

bool CopyProjectFiles(Workspace& ws) {
  const std::string project_dir = ws.ProjectDirectoryPath();
  // A project without a directory part has nothing to back up beside it;
  // never fall back to the current directory.
  if (project_dir.empty()) return false;
  const std::string backup_dir = project_dir + std::string(kBackupDirectoryName);
  if (!ws.writer->MakeDirectory(backup_dir, 0700)) return false;

  std::vector<std::string> names;
  if (!ListDirectory(project_dir, &names)) return false;
  bool ok = true;
  for (const std::string& name : names) {
    if (!IsBackupName(name)) continue;
    const std::string source = project_dir + name;
    // Directories are never entered; devices and pipes are not source files.
    if (!IsRegularFile(source)) continue;
    std::string bytes;
    if (!ReadFileBytes(source, &bytes)) {
      ok = false;
      continue;
    }
    // A symlink planted in Backup is replaced, never written through.
    if (!ws.writer->WriteFile(backup_dir + "/" + name, bytes, SymlinkPolicy::kReplaceLink)) ok = false;
  }
  return ok;
}

}  // namespace

bool MakeBackup(Workspace& ws, RunHost& host) {
  const bool ok = CopyProjectFiles(ws);
  if (!ok) host.AddLogLine(Text(log::kBackupFailed));
  return ok;
}

}  // namespace quillon
