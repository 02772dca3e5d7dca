#include "project/settings_file.h"

#include "io/file_io.h"
#include "project/absolute_path.h"
#include "project/file_error_reason.h"
#include "project/project_file.h"
#include "project/user_gadget_file.h"
#include "text/encoding.h"

namespace quillon {

namespace {

Lines ReadSettingsLines(const std::string& path) {
  TextFile file;
  // UTF-8 after a mark, one byte per character without one.
  if (!ReadTextFileAs(path, AsciiOrUtf8, &file)) return {};
  return file.lines;
}

// "[name]" -> upper-cased name; empty when the line is no group header.
Text GroupOf(const Text& line) {
  const Text t = TrimBlanksAndTabs(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return Text();
  return Upper(TrimBlanksAndTabs(t.substr(1, t.size() - 2)));
}

bool IsComment(const Text& line) {
  const Text t = TrimBlanksAndTabs(line);
  return t.empty() || t[0] == ';' || t[0] == '#';
}

Text KeyOf(const Text& line) {
  const long eq = Position(line, '=');
  return eq > 0 ? Upper(TrimBlanksAndTabs(Left(line, eq - 1))) : Text();
}

// The value of group/key, or nullptr.
const Text* Lookup(const Lines& lines, TextView group, TextView key, Text* value) {
  const Text want_group = Upper(group);
  const Text want_key = Upper(key);
  Text current;
  const Text* found = nullptr;
  for (const Text& line : lines) {
    const Text g = GroupOf(line);
    if (!g.empty()) {
      current = g;
      continue;
    }
    if (current != want_group || IsComment(line)) continue;
    if (KeyOf(line) == want_key) {
      *value = TrimBlanksAndTabs(Mid(line, Position(line, '=') + 1));
      found = value;
    }
  }
  return found;
}

void SetEntry(Lines& lines, TextView group, TextView key, const Text& value) {
  const Text want_group = Upper(group);
  const Text want_key = Upper(key);
  const Text entry = Text(key) + " = " + value;
  Text current;
  long group_end = -1;  // index after the last non-empty line of the group
  for (size_t i = 0; i < lines.size(); ++i) {
    const Text g = GroupOf(lines[i]);
    if (!g.empty()) {
      current = g;
      if (current == want_group) group_end = static_cast<long>(i) + 1;
      continue;
    }
    if (current != want_group) continue;
    if (!IsComment(lines[i]) && KeyOf(lines[i]) == want_key) {
      lines[i] = entry;
      return;
    }
    if (!TrimBlanksAndTabs(lines[i]).empty()) group_end = static_cast<long>(i) + 1;
  }
  if (group_end >= 0) {
    lines.insert(lines.begin() + group_end, entry);
    return;
  }
  if (!lines.empty() && !lines.back().empty()) lines.push_back(Text());
  lines.push_back("[" + Text(group) + "]");
  lines.push_back(entry);
}

}  // namespace

SettingsValues ReadSettings(const std::string& path) {
  SettingsValues values;
  const Lines lines = ReadSettingsLines(path);
  Text value;
  if (Lookup(lines, "Path", "Last", &value)) values.last_path = value;
  if (Lookup(lines, "Path", "Project", &value)) values.project_path = value;
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) {
    if (Lookup(lines, "Default", kSwitchKeys[i], &value)) SwitchAt(values.defaults, i) = ParseLeadingInt(value);
  }
  return values;
}

bool WriteSettings(const std::string& path, const SettingsValues& values) {
  TextFile existing;
  // A settings file that is there but cannot be read is never replaced: its
  // other entries would be lost.
  if (!ReadTextFileAs(path, AsciiOrUtf8, &existing) && FileExists(path)) return false;
  Lines lines = std::move(existing.lines);
  SetEntry(lines, "Path", "Last", values.last_path);
  SetEntry(lines, "Path", "Project", values.project_path);
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) {
    SetEntry(lines, "Default", kSwitchKeys[i], ToText(SwitchAt(values.defaults, i)));
  }
  return WriteFileAtomic(path, EncodeLines(lines, kOutputUtf8));
}

bool LoadSettings(Workspace& ws, const Text& first_argument, const std::string& settings_path,
                  const std::string& user_list_path, ErrorReporter& reporter) {
  LoadUserGadgets(user_list_path, &ws.user_gadgets, reporter);
  ws.keywords = BuildKeywordSets(ws.user_gadgets);

  const SettingsValues settings = ReadSettings(settings_path);
  if (!first_argument.empty()) {
    // The project the user named is the one to open: when it cannot be, say
    // so and start empty rather than open another one in its place.
    const Text path = AbsolutePath(first_argument);
    const std::string bytes = ToUtf8(path);
    if (FileSize(bytes) > 0) {
      ws.project.project_path = path;
      if (LoadProject(ws, path, reporter)) return true;
    } else {
      const Text reason = FileSize(bytes) == 0 ? T("the file is empty") : FileErrorReason(bytes, 0);
      reporter.ShowFileError(Text(kProjectBoxTitle), Text(kErrorOpenProject), path, reason);
    }
  } else if (!settings.project_path.empty() && FileSize(ToUtf8(settings.project_path)) > 0) {
    ws.project.project_path = AbsolutePath(settings.project_path);
    LoadProject(ws, ws.project.project_path, reporter);
    return true;
  }
  ws.project.project_path = Text(kUnnamedProject);
  ws.last_path = settings.last_path;
  ws.project.switches = settings.defaults;
  ws.project.has_name = false;
  ws.project.saved = true;
  return false;
}

bool SaveSettings(const Workspace& ws, const std::string& settings_path, bool keep_remembered_project) {
  SettingsValues values;
  values.last_path = ws.last_path;
  values.project_path = keep_remembered_project ? ReadSettings(settings_path).project_path : ws.project.project_path;
  values.defaults = ws.project.switches;
  return WriteSettings(settings_path, values);
}

}  // namespace quillon
