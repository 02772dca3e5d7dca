// Where the program keeps its own files: beside the program file.
#pragma once

#include <string>

namespace quillon {

// Directory of the running program file, with a trailing "/".
std::string ProgramDirectory();
// ProgramDirectory() + "QN4.INI".
std::string SettingsPath();
// ProgramDirectory() + "UserList.INI".
std::string UserListPath();

}  // namespace quillon
