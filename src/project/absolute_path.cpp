#include "project/absolute_path.h"

#include <unistd.h>

#include <cstdlib>

namespace quillon {

std::string AbsolutePath(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char* cwd = ::getcwd(nullptr, 0);
  if (!cwd) return path;
  const std::string folder = cwd;
  std::free(cwd);
  return folder == "/" ? "/" + path : folder + "/" + path;
}

}  // namespace quillon
