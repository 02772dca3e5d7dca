#include "io/path_queries.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace quillon {

bool CanWriteInFolder(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

bool IsWriteProtected(const std::string& path) {
  return ::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0;
}

int LookAt(const std::string& path, FileKind* kind) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno;
  *kind = S_ISREG(st.st_mode) ? FileKind::kRegular : S_ISDIR(st.st_mode) ? FileKind::kDirectory : FileKind::kOther;
  return 0;
}

bool ResolvedPath(const std::string& path, std::string* resolved) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return false;
  *resolved = real;
  std::free(real);
  return true;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

}  // namespace quillon
