#include "rewrite/backup.h"
#include "rewrite/include_update.h"
#include "rewrite/rename_changes.h"
#include "rewrite/source_passes.h"
#include "rewrite/step3.h"
#include "host/log_lines.h"

namespace quillon {

void RunStep3(Workspace& ws, RunHost& host) {
  const std::vector<Replacement>& replacements = ws.check.replacements;
  host.AddLogLine(Text(log::kStep3));
  host.AddLogLine(Text(log::kMakeBackup));
  MakeBackup(ws, host);
  const RenameChanges changes(ws.analysis, !replacements.empty());
  host.AddLogLine(Text(log::kUpdatePrefix));
  const WindowPrefixGuard guard(ws.analysis.windows, ws.project.saved_windows);
  UpdatePrefixes(replacements, ws.analysis, guard);
  host.AddLogLine(Text(log::kUpdateProcedure));
  UpdateProcedures(replacements, ws.analysis);
  host.AddLogLine(Text(log::kUpdateConstants));
  UpdateConstants(replacements, ws.analysis);
  host.AddLogLine(Text(log::kUpdateOpenWindow));
  UpdateOpenWindows(replacements, ws.analysis);
  const VariableRenames variables(replacements, ws.analysis, ws.project.saved_windows);
  UpdateVariables(variables, ws.analysis);
  host.AddLogLine(Text(log::kUpdateIncludeFiles));
  UpdateIncludeFiles(ws, host, guard, variables);
  changes.Log(ws.analysis, ProjectDirectory(ws.project), host);
}

}  // namespace quillon
