// Where the program keeps its own files (QN4.INI and UserList.INI): beside
// the program file when the user can write that folder and it is not a
// folder of installed programs, else in the user's XDG configuration folder.
#pragma once

#include <string>

namespace quillon {

// Directory of the running program file, with a trailing "/".
std::string ProgramDirectory();

// What the choice of the settings folder depends on.
struct SettingsEnvironment {
  std::string program_directory;  // with a trailing "/"
  bool program_directory_writable = false;
  std::string xdg_config_home;  // $XDG_CONFIG_HOME, empty when unset
  std::string home;             // $HOME, else the home folder of the user database
};

// The program folder when it is writable and not named like a folder of
// installed programs (bin, sbin, games, the configured install folder);
// otherwise $XDG_CONFIG_HOME/quillon/ (only an absolute value counts), else
// $HOME/.config/quillon/. The program folder when there is no home either.
// The result ends with "/".
std::string ChooseSettingsDirectory(const SettingsEnvironment& env);

// The environment of this process; the writability is asked of the system.
SettingsEnvironment CurrentSettingsEnvironment();

// ChooseSettingsDirectory(CurrentSettingsEnvironment()), decided once per
// process. Nothing is created.
const std::string& SettingsDirectory();

// Creates `directory` and its missing parents with mode 0700. True when it
// exists afterwards.
bool MakeSettingsDirectory(const std::string& directory);

// Why a file in `path`'s place cannot be written, as the system words it
// ("Permission denied", "Is a directory"); empty when nothing is found.
std::string WriteProblem(const std::string& path);

// SettingsDirectory() + "QN4.INI".
std::string SettingsPath();
// SettingsDirectory() + "UserList.INI".
std::string UserListPath();

}  // namespace quillon
