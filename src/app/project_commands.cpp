#include "app/project_commands.h"

#include "app/app.h"
#include "io/file_io.h"
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

}  // namespace

bool SaveAs(App& app) {
  Workspace& ws = app.ws;
  const Text proposed = ws.last_path + FilePart(ws.project.project_path);
  Text name = app.dialogs.ChooseSaveFile(T("Save project"), proposed, kProjectPatterns);
  if (name.empty()) return false;
  if (ExtensionPart(name).empty()) name += U".pbm";
  const std::string bytes = ToUtf8(name);
  // An existing directory is not asked about: the save below fails on it.
  if (FileExists(bytes) && !IsDirectory(bytes) &&
      !app.dialogs.AskYesNo(kQuestionTitle, T("Datei überschreiben?"))) {
    return false;
  }
  if (!SaveProject(ws, name, /*from_this_run=*/false, app.reporter)) return false;
  ws.last_path = DirectoryPart(name);
  ws.project.project_path = name;
  app.ShowProjectPath();
  return true;
}

bool SavePrompt(App& app) {
  Workspace& ws = app.ws;
  if (ws.project.saved) return true;
  if (!app.dialogs.AskYesNo(kQuestionTitle, T("Aktuelles Projekt speichern?"))) return true;
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
  const Text name = app.dialogs.ChooseOpenFile(T("Load project"), ws.last_path, kProjectPatterns);
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
  const Lines chosen = app.dialogs.ChooseOpenFiles(T("Commonfile"), ws.last_path, kCommonPatterns);
  if (chosen.empty()) return;
  ws.last_path = DirectoryPart(chosen.front());
  ws.project.saved = false;
  ws.project.files.insert(ws.project.files.end(), chosen.begin(), chosen.end());
  app.ShowFileList();
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

void RequestExit(App& app) {
  // The run uses the project: exit (with its save prompt) once it has ended.
  if (app.run_active) {
    app.exit_after_run = true;
    return;
  }
  if (!SavePrompt(app)) return;
  app.exit_requested = true;
}

}  // namespace quillon::app
