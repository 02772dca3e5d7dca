#include "project/user_gadget_file.h"

#include <cerrno>

#include "io/file_io.h"
#include "project/file_error_reason.h"
#include "text/encoding.h"

namespace quillon {

namespace {
constexpr TextView kSection = "[USERGADGET]";
}

bool ReadUserGadgetFile(const std::string& path, Lines* names) {
  std::string bytes;
  if (!ReadFileBytes(path, &bytes)) return false;
  Text section;
  for (const Text& line : DecodeUtf8Lines(bytes)) {
    if (!line.empty() && line[0] == '[') {
      section = line;
    } else if (line.empty()) {
      section.clear();
    } else if (section == kSection) {
      // A line of blanks names nothing: kept as "", "Ok" would write it back
      // as an empty line, which ends the section and loses every name after it.
      Text name = TrimBlanks(line);
      if (!name.empty()) names->push_back(std::move(name));
    }
  }
  return true;
}

void LoadUserGadgets(const std::string& path, Lines* names, ErrorReporter& reporter) {
  const long long size = FileSize(path);
  errno = 0;
  if (size > 0) {
    if (ReadUserGadgetFile(path, names)) return;
  } else if (size == 0 || !FileExists(path)) {
    const std::string header = EncodeLines({Text(kSection)}, kOutputUtf8, /*with_bom=*/false);
    errno = 0;
    if (WriteFileAtomic(path, header)) return;
    if (size == 0) return;  // an existing empty list that cannot be written is still an empty list
  }
  const int error_number = errno;
  reporter.ShowFileError(Text(kUserListBoxTitle), Text(kErrorOpenUserList), FromUtf8(path),
                         FileErrorReason(path, error_number));
}

bool SaveUserGadgets(const std::string& path, const Lines& names, ErrorReporter& reporter) {
  Lines lines{Text(kSection)};
  for (const Text& name : names) {
    // A name starting with "[" would read back as a section header and hide
    // every later name; a leading blank keeps it a name (reading trims it).
    lines.push_back(!name.empty() && name[0] == '[' ? " " + name : name);
  }
  const std::string bytes = EncodeLines(lines, kOutputUtf8, /*with_bom=*/false);
  errno = 0;
  if (WriteFileAtomic(path, bytes)) return true;
  const Text reason = FileErrorReason(path, errno);
  reporter.ShowFileError(Text(kSaveUserListTitle), Text(kErrorSaveUserList), FromUtf8(path), reason);
  return false;
}

}  // namespace quillon
