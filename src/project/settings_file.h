// The settings file "QN4.INI": an INI text with the groups "Path" and
// "Default", read at start-up and written at exit.
#pragma once

#include <string>

#include "model/project_model.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

struct SettingsValues {
  Text last_path;                         // "Path" / "Last"
  Text project_path;                      // "Path" / "Project"
  Switches defaults = DefaultSwitches();  // group "Default"
};

// Reads the file; a missing file, group or key gives the default. Groups and
// keys match case-insensitively; comments and stray lines are skipped.
SettingsValues ReadSettings(const std::string& path);

// Sets the entries in the file, keeping every entry it does not know, and
// writes it as UTF-8 with a mark. False when it cannot be written.
bool WriteSettings(const std::string& path, const SettingsValues& values);

// Start-up: user gadget list, keyword sets, then the project named by the
// first argument, else the last project of the settings, else an unnamed
// project with the default switches. A project path is made absolute. A
// named project that cannot be opened shows the error box and starts an
// unnamed project (never the last one). Returns whether a project was opened.
bool LoadSettings(Workspace& ws, const Text& first_argument, const std::string& settings_path,
                  const std::string& user_list_path, ErrorReporter& reporter);

// Exit: LastPath, ProjectPath and the current switches into the settings.
// False when the file cannot be written. `keep_remembered_project` leaves the
// "Project" entry as the file has it.
bool SaveSettings(const Workspace& ws, const std::string& settings_path, bool keep_remembered_project = false);

}  // namespace quillon
