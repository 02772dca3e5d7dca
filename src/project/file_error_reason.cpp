#include "project/file_error_reason.h"

#include <cerrno>
#include <cstring>

#include "io/path_queries.h"

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
  FileKind kind = FileKind::kMissing;
  if (const int error = LookAt(path, &kind)) return SystemText(error);
  if (kind == FileKind::kDirectory) return SystemText(EISDIR);
  if (kind != FileKind::kRegular) return T("not a regular file");
  return T("unknown error");
}

}  // namespace quillon
