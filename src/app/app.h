// The window front end's state on the main thread: the workspace, the main
// window and its children, the worker and its requests. Start-up and exit
// follow the fixed order; the dispatch tables live in command_table.cpp.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "app/child_window_ports.h"
#include "app/dialog_service.h"
#include "app/gui_run_host.h"
#include "app/icons.h"
#include "app/licence_window.h"
#include "app/main_window.h"
#include "app/search_replace_window.h"
#include "app/start_generate_window.h"
#include "app/user_gadget_window.h"
#include "app/worker_requests.h"
#include "model/workspace.h"

namespace quillon::app {

// Window numbers of the size and close tables.
enum WindowNumber : int {
  kWindowMain = 0,
  kWindowStartGenerate = 1,
  kWindowBind = 2,
  kWindowUserGadget = 3,
};

struct AppPaths {
  std::string settings;   // QN4.INI
  std::string user_list;  // UserList.INI
};

// Error boxes of operations that run on the main thread. It notes whether a
// box spoke of the settings folder's files, so that their trouble is shown
// once per session.
class DialogErrorReporter final : public ErrorReporter {
 public:
  explicit DialogErrorReporter(DialogService& dialogs) : dialogs_(dialogs) {}
  void ShowError(const Text& title, const Text& message) override;
  void ShowFileError(const Text& title, const Text& message, const Text& path, const Text& reason) override {
    ShowError(title, FileErrorText(message, path, reason));
  }

  bool settings_trouble_shown = false;

 private:
  DialogService& dialogs_;
};

inline constexpr TextView kSettingsBoxTitle = "Settings";
inline constexpr TextView kErrorSaveSettings = "Error save file settings";

struct App {
  App(Workspace& workspace, DialogService& dialog_service, AppPaths app_paths);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Decodes the icons, builds the main window with its menus, tool bar and
  // lists, and shows it. False when the main window cannot open.
  bool Open();
  // Reads the settings, the user gadget list and the start-up project; then the
  // pane is fitted and the divider placed 100 pixels below the top. The
  // keyboard focus starts in the file list.
  void LoadStartup(const Text& first_argument);
  // The event loop, until ExitRequested.
  void RunEventLoop();
  // At exit: releases a waiting worker, waits for it, writes the settings.
  // A settings file that cannot be written is named in an error box, unless
  // the settings folder's trouble was shown already in this session.
  void SaveSettingsAtExit();

  // Status bar <- ProjectPath; file list <- the project's file list.
  // Also greys "Undo Last Generate" out unless the project has a record to undo.
  void ShowProjectPath();
  void RefreshUndoCommand();
  void ShowFileList();
  // The title marks unsaved changes; called after every event that may
  // change ProjectSaved.
  void ShowSavedState();
  // A modal child (Start Generate, bind, user gadget, licence) is open.
  bool ChildOpen() const;

  Workspace& ws;
  DialogService& dialogs;
  AppPaths paths;
  DialogErrorReporter reporter{dialogs};
  Text info_text;
  IconSet icons;
  std::unique_ptr<MainWindow> main;
  RequestQueue requests;
  GuiRunHost host{requests};
  std::unique_ptr<StartGenerateWindow> start_window;
  std::unique_ptr<LicenceWindow> licence_window;
  SearchReplaceWindow search_replace{dialogs};
  BindWindowPort* bind_window = &search_replace;
  bool bind_window_open = false;
  UserGadgetWindow user_gadget{dialogs, ws, paths.user_list, reporter};
  UserGadgetPort* user_gadget_window = &user_gadget;
  bool user_gadget_open = false;

  // The switches and ProjectSaved as the Start Generate window opened.
  Switches switches_at_start_window;
  bool saved_at_start_window = true;

  std::thread worker;
  bool run_active = false;          // from "Start" until the worker's last request
  bool exit_after_run = false;      // an exit asked for during a run
  bool run_reported_error = false;  // an error line in this run's log
  size_t pairs_bound_in_run = 0;    // pairs sent on by earlier bind windows of the run
  bool exit_requested = false;      // ExitRequested
  // Start-up opened no project although the settings or the command line
  // named one: until the user names a project, exit keeps the remembered one.
  bool keep_remembered_project = false;
};

}  // namespace quillon::app
