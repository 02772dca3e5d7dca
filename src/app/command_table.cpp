#include "app/command_table.h"

#include "app/app.h"
#include "app/generation_worker.h"
#include "app/info_box.h"
#include "app/licence_text.h"
#include "app/project_commands.h"
#include "app/request_server.h"
#include "project/project_file.h"
#include "run/undo_last_run.h"
#include "run/undo_question.h"

namespace quillon::app {

namespace {

// --- commands ----------------------------------------------------------------

void SaveAsCommand(App& app) { SaveAs(app); }

void OpenUserGadgetWindow(App& app) {
  if (!app.user_gadget_window) return;
  app.main->SetEnabled(false);
  app.user_gadget_open = true;
  ChildWindowEvents events;
  events.gadget = [&app](int gadget, int event_type) { DispatchGadget(app, gadget, event_type); };
  events.close = [&app] { DispatchClose(app, kWindowUserGadget); };
  app.user_gadget_window->Open(app.main->window(), events);
}

void InfoCommand(App& app) { ShowInfoBox(app.dialogs, app.info_text); }

void LicenceCommand(App& app) {
  if (app.licence_window) return;
  app.main->SetEnabled(false);
  app.licence_window = std::make_unique<LicenceWindow>(app.main->window(), SplitLicenceLines(T(LicenceText())), [&app] {
    app.main->SetEnabled(true);
    app.licence_window.reset();
  });
}

// After an undo the project file holds the constants of the run before: the
// next run must compare against them. A project without unsaved changes is
// read again whole; otherwise only its saved constants are taken over, so
// the user's pending edits stay.
void ReloadProjectAfterUndo(App& app) {
  Workspace loaded;
  loaded.project.project_path = app.ws.project.project_path;
  if (!LoadProject(loaded, loaded.project.project_path, app.reporter)) return;
  Project& project = app.ws.project;
  if (project.saved) {
    loaded.project.project_path = project.project_path;
    loaded.project.has_name = project.has_name;
    project = std::move(loaded.project);
    app.ws.check.Clear();
    app.ShowFileList();
    return;
  }
  project.saved_windows = loaded.project.saved_windows;
  project.saved_menu_bars = loaded.project.saved_menu_bars;
  project.saved_menu_items = loaded.project.saved_menu_items;
  project.saved_status_bars = loaded.project.saved_status_bars;
  project.saved_tool_bars = loaded.project.saved_tool_bars;
  project.saved_gadgets = loaded.project.saved_gadgets;
}

// Asks first, naming the run and what would stop the undo; the undo itself
// is a handful of file writes on this thread.
void UndoLastGenerateCommand(App& app) {
  const std::string directory = app.ws.ProjectDirectoryPath();
  if (!HasUndoRecord(directory)) return;
  const Text question = UndoQuestionText(directory);
  if (question.empty() || !app.dialogs.AskYesNo("Undo Last Generate", question)) return;
  app.main->ClearLog();
  UndoLastRun(directory, app.ws.disk, /*dry_run=*/false, [&app](const Text& line) { app.main->AppendLogLine(line); });
  // The project file is restored too: read it again, so the next run sees
  // the old constants.
  ReloadProjectAfterUndo(app);
  app.ShowProjectPath();
}

using Command = void (*)(App&);
constexpr Command kCommandTable[kCommandCount] = {
    ProjectNew,
    ProjectLoad,
    ProjectSave,
    SaveAsCommand,
    OpenUserGadgetWindow,
    RequestExit,
    CommonAdd,
    CommonDelete,
    CommonFirstFile,
    StartGenerate,
    InfoCommand,
    LicenceCommand,
    UndoLastGenerateCommand,
};

// --- close boxes -------------------------------------------------------------

// Closing the Search and Replace window cancels the run. When pairs were
// bound in this run (in this window or an earlier one) that throws them
// away: ask first; No, Return and Escape keep binding.
bool ConfirmCancelRun(App& app) {
  if (app.pairs_bound_in_run == 0 && app.bind_window->TodoList().empty()) return true;
  return app.dialogs.AskYesNo(Text(kCancelRunTitle), Text(kCancelRunText));
}

// --- gadgets -----------------------------------------------------------------

// Gadgets 3 to 7, 9, 10: the switch := check state, the two image switches
// exclude each other, the project is modified.
void SwitchClicked(App& app, int gadget, int) {
  if (!app.start_window || app.run_active) return;
  const bool checked = app.start_window->Checked(gadget);
  Switches& switches = app.ws.project.switches;
  SwitchAt(switches, SwitchOfGadget(gadget)) = checked ? 1 : 0;
  if (checked && gadget == 6) {
    switches.image_null = 0;
    app.start_window->SetChecked(7, false);
  } else if (checked && gadget == 7) {
    switches.image_include = 0;
    app.start_window->SetChecked(6, false);
  }
  app.ws.project.saved = false;
}

void StartClicked(App& app, int, int) {
  if (app.start_window) StartGenerationRun(app);
}

void BindGadget(App& app, int gadget, int event_type) {
  if (app.bind_window_open) app.bind_window->HandleGadget(gadget, event_type);
}

void UserGadget(App& app, int gadget, int event_type) {
  if (app.user_gadget_open && app.user_gadget_window) app.user_gadget_window->HandleGadget(gadget, event_type);
}

struct GadgetRow {
  int gadget;
  int event_type;  // the event type the handler reacts to
  void (*handler)(App&, int gadget, int event_type);
};

// Gadget 0 ("CMD") receives the worker's requests through the request queue
// (ServeRequest); gadgets 1, 2 and 11 to 13 react to nothing.
constexpr GadgetRow kGadgetTable[] = {
    {3, kEventClick, SwitchClicked},     {4, kEventClick, SwitchClicked},     {5, kEventClick, SwitchClicked},
    {6, kEventClick, SwitchClicked},     {7, kEventClick, SwitchClicked},     {8, kEventClick, StartClicked},
    {9, kEventClick, SwitchClicked},     {10, kEventClick, SwitchClicked},    {14, kEventDoubleClick, BindGadget},
    {15, kEventDoubleClick, BindGadget}, {16, kEventDoubleClick, BindGadget}, {17, kEventClick, BindGadget},
    {18, kEventClick, BindGadget},       {19, kEventClick, BindGadget},       {20, kEventDoubleClick, UserGadget},
    {21, kEventClick, UserGadget},       {22, kEventClick, UserGadget},       {23, kEventClick, UserGadget},
    {24, kEventClick, BindGadget},
};

}  // namespace

bool ChangesProject(int command) { return command != 5 && command != 10 && command != 11; }

void DispatchCommand(App& app, int command) {
  if (command < 0 || command >= kCommandCount || !app.main) return;
  // Shortcuts reach the window even while a modal child has disabled it.
  if (!app.main->Enabled()) return;
  if (app.run_active && ChangesProject(command)) return;
  kCommandTable[command](app);
  if (app.main) app.ShowSavedState();
}

void DispatchGadget(App& app, int gadget, int event_type) {
  for (const GadgetRow& row : kGadgetTable) {
    if (row.gadget == gadget && row.event_type == event_type) row.handler(app, gadget, event_type);
  }
  if (app.main) app.ShowSavedState();
}

void DispatchSize(App& app, int window) {
  if (window == kWindowMain && app.main) app.main->ResizeMainWindow();
  // windows 1, 2 and 3 keep their layout
}

void DispatchClose(App& app, int window) {
  switch (window) {
    case kWindowMain:
      // The close box still works while a modal child is open; the child
      // has to be closed first.
      if (app.main->Enabled()) RequestExit(app);
      return;
    case kWindowStartGenerate:
      // After "Start" the worker closes the window and uses the switches.
      if (!app.start_window || app.run_active) return;
      // Cancel means cancel: the switches go back to what they were when
      // the window opened, and no run starts.
      app.ws.project.switches = app.switches_at_start_window;
      app.ws.project.saved = app.saved_at_start_window;
      app.main->SetEnabled(true);
      app.start_window.reset();
      app.ShowSavedState();
      return;
    case kWindowBind:
      // Cancelling drops the pairs bound so far in this run: ask first.
      if (!BindReplyPending(app) || !ConfirmCancelRun(app)) return;
      ReplyBindRequest(app, 2);  // the window stays until request 1027
      return;
    case kWindowUserGadget:
      app.main->SetEnabled(true);
      app.user_gadget_open = false;
      if (app.user_gadget_window) app.user_gadget_window->Close();
      return;
    default: return;
  }
}

}  // namespace quillon::app
