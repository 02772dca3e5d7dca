#include "rewrite/backup.h"

#include <string>
#include <vector>

#include "io/file_system.h"
#include "host/log_lines.h"

namespace quillon {

bool IsBackupName(std::string_view file_name) {
  // The extension, the part after the last dot, begins with "pb": "Main.pb",
  // "Form.pbf", "data.pbdata". A name like "evil.pb.sh" is a shell script.
  const size_t dot = file_name.rfind('.');
  return dot != std::string_view::npos && file_name.compare(dot + 1, 2, "pb") == 0;
}

namespace {

bool CopyProjectFiles(Workspace& ws) {
  const std::string project_dir = ws.ProjectDirectoryPath();
  // A project without a directory part has nothing to back up beside it;
  // never fall back to the current directory.
  if (project_dir.empty()) return false;
  const std::string backup_dir = project_dir + std::string(kBackupDirectoryName);
  // A link or another user's folder named Backup receives nothing.
  if (!ws.files->MakePrivateFolder(backup_dir)) return false;

  std::vector<std::string> names;
  if (!ws.files->ListFolder(project_dir, &names)) return false;
  bool ok = true;
  for (const std::string& name : names) {
    if (!IsBackupName(name)) continue;
    const std::string source = project_dir + name;
    // Directories are never entered; devices and pipes are not source files.
    if (ws.files->KindOf(source) != FileKind::kRegular) continue;
    // A stream copy that replaces whatever stands in Backup, never following it.
    if (ws.files->CopyFile(source, backup_dir + "/" + name) != WriteResult::kWritten) ok = false;
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
