#include "app/app.h"

#include "app/command_table.h"
#include "app/info_box.h"
#include "app/request_server.h"
#include "project/app_paths.h"
#include "project/settings_file.h"
#include "project/user_gadget_file.h"
#include "run/undo_last_run.h"

namespace quillon::app {

namespace {

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

}  // namespace

void DialogErrorReporter::ShowError(const Text& title, const Text& message) {
  if (title == kUserListBoxTitle || title == kSaveUserListTitle) settings_trouble_shown = true;
  dialogs_.ShowError(title, message);
}

App::App(Workspace& workspace, DialogService& dialog_service, AppPaths app_paths)
    : ws(workspace),
      dialogs(dialog_service),
      paths(std::move(app_paths)),
      info_text(ComposeInfoText(FolderOf(paths.settings))),
      requests([this](WorkerRequest& request) { ServeRequest(*this, request); }) {}

App::~App() {
  requests.Shutdown();
  if (worker.joinable()) worker.join();
  start_window.reset();
  licence_window.reset();
  search_replace.Close();
  user_gadget.Close();
  main.reset();
}

bool App::Open() {
  icons.Decode();
  MainWindowEvents events;
  events.command = [this](int command) { DispatchCommand(*this, command); };
  events.size = [this] { DispatchSize(*this, kWindowMain); };
  events.close = [this] { DispatchClose(*this, kWindowMain); };
  main = std::make_unique<MainWindow>(icons, std::move(events));
  if (!main->Open()) {
    main.reset();
    return false;
  }
  main->Show();
  return true;
}

void App::LoadStartup(const Text& first_argument) {
  const bool opened = LoadSettings(ws, first_argument, paths.settings, paths.user_list, reporter);
  keep_remembered_project = !opened && (!first_argument.empty() || !ReadSettings(paths.settings).project_path.empty());
  ShowFileList();
  ShowProjectPath();
  ShowSavedState();
  main->ResizeMainWindow();
  main->PlaceDivider(kInitialDivider);
  main->FocusFileList();
}

void App::RunEventLoop() {
  while (!exit_requested) gtk_main_iteration();
}

void App::SaveSettingsAtExit() {
  requests.Shutdown();
  if (worker.joinable()) worker.join();
  if (SaveSettings(ws, paths.settings, keep_remembered_project && !ws.project.has_name) ||
      reporter.settings_trouble_shown) {
    return;
  }
  const std::string why = WriteProblem(paths.settings);
  reporter.ShowError(Text(kSettingsBoxTitle),
                     Text(kErrorSaveSettings) + "\n" + FromUtf8(paths.settings + (why.empty() ? "" : ": " + why)));
  reporter.settings_trouble_shown = true;
}

void App::ShowProjectPath() {
  main->SetStatusText(ws.project.project_path);
  RefreshUndoCommand();
}

void App::RefreshUndoCommand() {
  GtkWidget* item = main->menu_item(kCommandUndoLastGenerate);
  const bool can_undo = !run_active && ws.project.has_name && HasUndoRecord(ws.ProjectDirectoryPath());
  if (item) gtk_widget_set_sensitive(item, can_undo);
}

void App::ShowFileList() { main->SetFileList(ws.project.files); }

void App::ShowSavedState() {
  if (main) main->ShowModified(!ws.project.saved);
}

bool App::ChildOpen() const { return start_window || licence_window || bind_window_open || user_gadget_open; }

}  // namespace quillon::app
