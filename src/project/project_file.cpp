#include "project/project_file.h"

#include <cerrno>

#include "project/file_error_reason.h"
#include "host/log_lines.h"
#include "text/encoding.h"

namespace quillon {

namespace {

Lines* SavedListForSection(Project& project, const Text& section) {
  if (section == "[WINDOW]") return &project.saved_windows;
  if (section == "[MENU]") return &project.saved_menu_bars;
  if (section == "[MENUITEM]") return &project.saved_menu_items;
  if (section == "[STATUSBAR]") return &project.saved_status_bars;
  if (section == "[TOOLBAR]") return &project.saved_tool_bars;
  if (section == "[GADGET]") return &project.saved_gadgets;
  return nullptr;
}

bool IsKnownSection(const Text& section) {
  return section == "[FILES]" || section == "[SWITCH]" || section == "[WINDOW]" || section == "[MENU]" ||
         section == "[MENUITEM]" || section == "[STATUSBAR]" || section == "[TOOLBAR]" || section == "[GADGET]";
}

void ReadSwitchLine(Project& project, const Text& line) {
  const Text text = ReplaceAll(line, ";", "");
  const long eq = Position(text, '=');
  const Text key = eq > 0 ? Left(text, eq - 1) : text;
  Text value;
  if (eq > 0) {
    const long next = Position(text, '=', eq + 1);
    value = next > 0 ? Mid(text, eq + 1, next - eq - 1) : Mid(text, eq + 1);
  }
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) {
    if (key == kSwitchKeys[i]) SwitchAt(project.switches, i) = ParseLeadingInt(value);
  }
}

}  // namespace

bool LoadProject(Workspace& ws, const Text& path, ErrorReporter& reporter) {
  Project& project = ws.project;
  project.files.clear();
  for (Lines* list : {&project.saved_windows, &project.saved_menu_bars, &project.saved_menu_items,
                      &project.saved_status_bars, &project.saved_tool_bars, &project.saved_gadgets}) {
    list->clear();
  }
  project.other_sections.clear();
  ws.check.Clear();
  project.has_name = false;
  project.saved = true;

  std::string bytes;
  errno = 0;
  if (!ws.files->ReadFile(ToUtf8(path), &bytes)) {
    const Text reason = FileErrorReason(ToUtf8(path), errno);
    reporter.ShowFileError(Text(kProjectBoxTitle), Text(kErrorOpenProject), path, reason);
    return false;
  }
  // A UTF-8 mark in front of the first section is skipped.
  Lines lines = DecodeUtf8Lines(bytes);

  // Only a header changes the section: a blank line inside one (a hand edit)
  // must not drop the lines after it. The header is looked up once, and the
  // lines move into their lists.
  Text section;
  bool known_section = false;
  bool switches = false;
  Lines* list = nullptr;
  for (Text& line : lines) {
    if (!line.empty() && line[0] == '[') {
      section = line;
      known_section = IsKnownSection(section);
      switches = section == "[SWITCH]";
      list = section == "[FILES]" ? &project.files : SavedListForSection(project, section);
      if (!known_section) project.other_sections.push_back(std::move(line));
    } else if (!section.empty() && !known_section) {
      project.other_sections.push_back(std::move(line));
    } else if (line.empty()) {
      continue;
    } else if (switches) {
      ReadSwitchLine(project, line);
    } else if (list) {
      list->push_back(std::move(line));
    }
  }
  project.has_name = true;
  project.saved = true;
  return true;
}

std::string ProjectFileBytes(const Workspace& ws, bool from_this_run) {
  const Project& project = ws.project;
  const AnalysisModel& run = ws.analysis;
  // UTF-8 without a mark, LF after every line; encoded straight into the
  // bytes, since the file lists every constant of the project.
  std::string out;
  auto line = [&out](TextView text) {
    out.append(text);
    out.push_back('\n');
  };
  line("[FILES]");
  for (const Text& file : project.files) line(file);
  line("");
  line("[SWITCH]");
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) {
    line(Text(kSwitchKeys[i]) + "=" + ToText(SwitchAt(project.switches, i)));
  }
  line("");

  auto section = [&line](TextView header, const Lines& names) {
    line(header);
    for (const Text& name : names) line(name);
    line("");
  };
  section("[WINDOW]", from_this_run ? run.windows : project.saved_windows);
  section("[MENU]", from_this_run ? run.menu_bars : project.saved_menu_bars);
  section("[MENUITEM]", from_this_run ? run.menu_items : project.saved_menu_items);
  section("[STATUSBAR]", from_this_run ? run.status_bars : project.saved_status_bars);
  section("[TOOLBAR]", from_this_run ? run.tool_bars : project.saved_tool_bars);
  line("[GADGET]");
  if (from_this_run) {
    for (const GadgetRecord& g : run.gadgets) line(g.name);
  } else {
    for (const Text& name : project.saved_gadgets) line(name);
  }
  line("");
  for (const Text& other : project.other_sections) line(other);
  return out;
}

namespace {

// A project file changed by another program since it was read is kept; a
// run says so in its log, otherwise the box says it.
bool Save(Workspace& ws, const Text& path, bool from_this_run, ErrorReporter& reporter, RunHost* run_log) {
  if (ws.project.files.empty()) return false;
  errno = 0;
  const WriteResult result = ws.files->ReplaceFile(ToUtf8(path), ProjectFileBytes(ws, from_this_run));
  if (result == WriteResult::kChanged) {
    if (run_log) {
      run_log->AddLogLine(log::ChangedDuringRun(path));
    } else {
      reporter.ShowError(Text(kProjectBoxTitle), log::ChangedDuringRun(path));
    }
    return false;
  }
  if (result != WriteResult::kWritten) {
    const Text reason = FileErrorReason(ToUtf8(path), errno);
    reporter.ShowFileError(Text(kProjectBoxTitle), Text(kErrorSaveProject), path, reason);
    return false;
  }
  ws.project.saved = true;
  ws.project.has_name = true;
  return true;
}

}  // namespace

bool SaveProject(Workspace& ws, const Text& path, bool from_this_run, ErrorReporter& reporter) {
  // Saved on the user's command: the project in memory is what the user wants.
  ws.files->ForgetRead(ToUtf8(path));
  return Save(ws, path, from_this_run, reporter, nullptr);
}

bool SaveProjectAfterRun(Workspace& ws, RunHost& host, bool take_run_constants) {
  return Save(ws, ws.project.project_path, take_run_constants, host, &host);
}

}  // namespace quillon
