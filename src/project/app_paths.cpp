#include "project/app_paths.h"

#include <unistd.h>

namespace quillon {

std::string ProgramDirectory() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", &path[0], path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) return "./";
  path.resize(static_cast<size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

std::string SettingsPath() { return ProgramDirectory() + "QN4.INI"; }

std::string UserListPath() { return ProgramDirectory() + "UserList.INI"; }

}  // namespace quillon
