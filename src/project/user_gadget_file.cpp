#include "project/user_gadget_file.h"

#include "io/file_io.h"
#include "text/encoding.h"

namespace quillon {

namespace {
constexpr TextView kSection = U"[USERGADGET]";
}

bool ReadUserGadgetFile(const std::string& path, Lines* names) {
  std::string bytes;
  if (!ReadFileBytes(path, &bytes)) return false;
  Text section;
  for (const Text& line : DecodeUtf8Lines(bytes)) {
    if (!line.empty() && line[0] == U'[') {
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
  if (size > 0) {
    if (ReadUserGadgetFile(path, names)) return;
  } else if (size == 0 || !FileExists(path)) {
    if (WriteFileAtomic(path, EncodeLines({Text(kSection)}, kOutputUtf8, /*with_bom=*/false))) return;
    if (size == 0) return;  // an existing empty list that cannot be written is still an empty list
  }
  reporter.ShowError(Text(kUserListBoxTitle), Text(kErrorOpenUserList));
}

bool SaveUserGadgets(const std::string& path, const Lines& names, ErrorReporter& reporter) {
  Lines lines{Text(kSection)};
  for (const Text& name : names) {
    // A name starting with "[" would read back as a section header and hide
    // every later name; a leading blank keeps it a name (reading trims it).
    lines.push_back(!name.empty() && name[0] == U'[' ? U" " + name : name);
  }
  if (WriteFileAtomic(path, EncodeLines(lines, kOutputUtf8, /*with_bom=*/false))) return true;
  reporter.ShowError(Text(kSaveUserListTitle), Text(kErrorSaveUserList));
  return false;
}

}  // namespace quillon
