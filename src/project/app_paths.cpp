#include "project/app_paths.h"

#include "io/file_io.h"

namespace quillon {

std::string ProgramDirectory() {
  std::string path;
  if (!ReadSymlink("/proc/self/exe", &path)) return "./";
  return path.substr(0, path.rfind('/') + 1);
}

std::string SettingsPath() { return ProgramDirectory() + "QN4.INI"; }

std::string UserListPath() { return ProgramDirectory() + "UserList.INI"; }

}  // namespace quillon
