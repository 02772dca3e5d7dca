// The project file (".pbm"): loading into and saving from the workspace.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

inline constexpr TextView kProjectBoxTitle = "UserGadgetList";
inline constexpr TextView kErrorOpenProject = "Error open file project";
inline constexpr TextView kErrorSaveProject = "Error save file project";

// Replaces the project model by the file's content. Empties the file list,
// the saved constant lists and the constant-check lists first; on failure
// they stay empty and the error box is shown. Does not change project_path.
bool LoadProject(Workspace& ws, const Text& path, ErrorReporter& reporter);

// The project file's text for the current model. `from_this_run` takes the
// constant sections from the analysis lists instead of the saved lists.
std::string ProjectFileBytes(const Workspace& ws, bool from_this_run);

// Writes the project file. An empty file list is a silent failure. Does not
// change project_path.
bool SaveProject(Workspace& ws, const Text& path, bool from_this_run, ErrorReporter& reporter);
// The save at the end of a run, with the run's constant lists or (when
// `take_run_constants` is false) the saved ones; a project file that
// another program changed during the run is kept and named in the log.
bool SaveProjectAfterRun(Workspace& ws, RunHost& host, bool take_run_constants = true);

}  // namespace quillon
