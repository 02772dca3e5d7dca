#include "project/file_error_reason.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quillon {

namespace {

Text SystemText(int error_number) {
  char buffer[256];
  // The GNU variant: returns the text, in `buffer` or a static string.
  return FromUtf8(strerror_r(error_number, buffer, sizeof buffer));
}

}  // namespace

Text FileErrorReason(const std::string& path, int error_number) {
  if (error_number != 0) return SystemText(error_number);
  // The file layer refuses some entries itself (folders, pipes, devices)
  // without a system error.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return SystemText(errno);
  if (S_ISDIR(st.st_mode)) return SystemText(EISDIR);
  if (!S_ISREG(st.st_mode)) return T("not a regular file");
  return T("unknown error");
}

}  // namespace quillon
