#include "app/project_commands.h"

#include <cstdlib>

#include "app/app.h"
#include "app/command_table.h"
#include "app/generation_worker.h"
#include "io/file_io.h"
#include "io/path_queries.h"
#include "project/absolute_path.h"
#include "project/project_file.h"

namespace quillon::app {

namespace {

const Text kQuestionTitle = T("Frage");
const Text kProjectPatterns = T("Project (*.pbm)|*.pbm");
const Text kCommonPatterns = T("Common|*.pb*|Alle Dateien|*.*");

void ClearSavedConstants(Project& project) {
  for (Lines* list : {&project.saved_windows, &project.saved_menu_bars, &project.saved_menu_items,
                      &project.saved_status_bars, &project.saved_tool_bars, &project.saved_gadgets}) {
    list->clear();
  }
}

// Where a chooser starts: LastPath, else the folder of the open project (the
// current folder for an unnamed one), never the toolkit's recent files.
Text ChooserFolder(const Workspace& ws) {
  if (!ws.last_path.empty()) return ws.last_path;
  return DirectoryPart(AbsolutePath(ws.project.project_path));
}

// The file a list item names, as one spelling: relative items lie in the
// project folder; links and "." or ".." are resolved when the file exists.
std::string CanonicalFile(const Workspace& ws, const Text& item) {
  std::string path = ToUtf8(item);
  if (path.empty() || path[0] != '/') path = ws.ProjectDirectoryPath() + path;
  path = AbsolutePath(path);
  ResolvedPath(path, &path);  // kept as it is when the file does not exist
  return path;
}

bool ListsFile(const Workspace& ws, const Text& file) {
  const std::string wanted = CanonicalFile(ws, file);
  for (const Text& item : ws.project.files) {
    if (CanonicalFile(ws, item) == wanted) return true;
  }
  return false;
}

}  // namespace

SaveAsResult RunSaveAs(App& app) {
  Workspace& ws = app.ws;
  const Text proposed = ChooserFolder(ws) + FilePart(ws.project.project_path);
  Text name = app.dialogs.ChooseSaveFile(T("Save project"), proposed, kProjectPatterns);
  if (name.empty()) return SaveAsResult::kCancelled;
  if (ExtensionPart(name).empty()) name += ".pbm";
  const std::string bytes = ToUtf8(name);
  // An existing directory is not asked about: the save below fails on it.
  if (FileExists(bytes) && !IsDirectory(bytes) && !app.dialogs.AskYesNo(kQuestionTitle, T("Datei überschreiben?"))) {
    return SaveAsResult::kCancelled;
  }
  if (!SaveProject(ws, name, /*from_this_run=*/false, app.reporter)) return SaveAsResult::kNotSaved;
  ws.last_path = DirectoryPart(name);
  ws.project.project_path = name;
  app.ShowProjectPath();
  return SaveAsResult::kSaved;
}

bool SaveAs(App& app) { return RunSaveAs(app) == SaveAsResult::kSaved; }

bool SavePrompt(App& app) {
  Workspace& ws = app.ws;
  if (ws.project.saved) return true;
  const Answer answer = app.dialogs.AskYesNoClosable(kQuestionTitle, T("Aktuelles Projekt speichern?"));
  if (answer == Answer::kCancel) return false;  // closed without an answer: keep everything
  if (answer == Answer::kNo) return true;
  if (ws.project.has_name) {
    SaveProject(ws, ws.project.project_path, false, app.reporter);  // a failure showed its box
    return true;
  }
  return SaveAs(app);
}

void ProjectNew(App& app) {
  if (!SavePrompt(app)) return;
  Project& project = app.ws.project;
  project.files.clear();
  app.main->ClearLog();
  ClearSavedConstants(project);
  project.other_sections.clear();
  app.ws.check.Clear();
  project.has_name = false;
  project.saved = true;
  project.project_path = Text(kUnnamedProject);
  app.ShowFileList();
  app.ShowProjectPath();
}

void ProjectLoad(App& app) {
  if (!SavePrompt(app)) return;
  Workspace& ws = app.ws;
  const Text name = app.dialogs.ChooseOpenFile(T("Load project"), ChooserFolder(ws), kProjectPatterns);
  if (name.empty()) return;
  app.main->ClearLog();
  const bool loaded = LoadProject(ws, name, app.reporter);
  app.ShowFileList();  // emptied even when the load failed
  if (!loaded) return;
  ws.last_path = DirectoryPart(name);
  ws.project.project_path = name;
  app.ShowProjectPath();
}

void ProjectSave(App& app) {
  Workspace& ws = app.ws;
  if (ws.project.has_name) {
    SaveProject(ws, ws.project.project_path, false, app.reporter);
  } else {
    SaveAs(app);
  }
}

void CommonAdd(App& app) {
  Workspace& ws = app.ws;
  const Lines chosen = app.dialogs.ChooseOpenFiles(T("Commonfile"), ChooserFolder(ws), kCommonPatterns);
  if (chosen.empty()) return;
  ws.last_path = DirectoryPart(chosen.front());
  // A form that is in the list already (under any spelling of its path)
  // would be generated twice: it is refused and named.
  Lines refused;
  for (const Text& file : chosen) {
    if (ListsFile(ws, file)) {
      refused.push_back(file);
      continue;
    }
    ws.project.files.push_back(file);
    ws.project.saved = false;
  }
  app.ShowFileList();
  if (!refused.empty()) {
    Text text = T("Already in the file list, not added again:");
    for (const Text& file : refused) text += "\n" + file;
    app.dialogs.ShowMessage(T("Info"), text);
  }
}

void CommonDelete(App& app) {
  Lines& files = app.ws.project.files;
  const int selected = app.main->SelectedFile();
  if (selected < 0 || static_cast<size_t>(selected) >= files.size()) return;
  files.erase(files.begin() + selected);
  app.ws.project.saved = false;
  app.ShowFileList();
}

void CommonFirstFile(App& app) {
  Lines& files = app.ws.project.files;
  const int selected = app.main->SelectedFile();
  if (selected < 0 || static_cast<size_t>(selected) >= files.size()) return;
  const Text item = files[selected];
  files.erase(files.begin() + selected);
  files.insert(files.begin(), item);
  app.ws.project.saved = false;
  app.ShowFileList();  // the selection is not set again
}

void StartGenerate(App& app) {
  if (app.start_window) return;
  if (!app.ws.project.has_name) {
    switch (RunSaveAs(app)) {
      case SaveAsResult::kSaved: break;
      case SaveAsResult::kCancelled:
        app.main->AppendLogLine(T("Start Generate: the run needs a saved project; it did not start."));
        return;
      case SaveAsResult::kNotSaved:
        // An empty file list is never saved, and says nothing by itself.
        app.main->AppendLogLine(app.ws.project.files.empty()
                                    ? T("Start Generate: the file list is empty; add forms with Common Add first.")
                                    : T("Start Generate: the project could not be saved; the run did not start."));
        return;
    }
  }
  ChildWindowEvents events;
  events.gadget = [&app](int gadget, int event_type) { DispatchGadget(app, gadget, event_type); };
  events.close = [&app] { DispatchClose(app, kWindowStartGenerate); };
  // Cancel puts these back.
  app.switches_at_start_window = app.ws.project.switches;
  app.saved_at_start_window = app.ws.project.saved;
  app.start_window = std::make_unique<StartGenerateWindow>(app.main->window(), app.ws.project.switches, events);
  app.main->SetEnabled(false);
}

void RequestExit(App& app) {
  // The run uses the project: exit (with its save prompt) once it has ended.
  if (app.run_active) {
    if (!app.exit_after_run) app.main->AppendLogLine(Text(kExitAfterRunLine));
    app.exit_after_run = true;
    return;
  }
  if (!SavePrompt(app)) return;
  app.exit_requested = true;
}

}  // namespace quillon::app
