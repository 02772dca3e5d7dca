#include "app/generation_worker.h"

#include <system_error>

#include "app/app.h"
#include "app/project_commands.h"
#include "host/log_lines.h"
#include "run/generation_run.h"

namespace quillon::app {

namespace {

// Worker thread: never touches GTK; every interface action is a request.
void GenerationWorker(App* app) {
  app->requests.SendRequest(kRequestCloseStartWindow);
  RunGeneration(app->ws, app->host);
  app->requests.SendRequest(kRequestRunFinished);
}

}  // namespace

bool IsErrorLine(const Text& line) {
  const TextView stop = "Stop!";
  const bool stops = line.size() >= stop.size() && line.compare(line.size() - stop.size(), stop.size(), stop) == 0;
  return stops || log::ReportsError(line);
}

void StartGenerationRun(App& app) {
  if (app.run_active) return;  // a second click before the window closed
  // The previous worker has sent its last request; it ends right after it.
  if (app.worker.joinable()) app.worker.join();
  app.run_active = true;
  app.run_reported_error = false;
  app.pairs_bound_in_run = 0;
  app.main->SetProjectCommandsSensitive(false);
  app.main->SetBusy(true);
  if (app.start_window) app.start_window->SetSensitive(false);
  try {
    app.worker = std::thread(GenerationWorker, &app);
  } catch (const std::system_error&) {
    // No thread: nothing happens, the Start Generate window stays open.
    app.run_active = false;
    app.main->SetProjectCommandsSensitive(true);
    app.main->SetBusy(false);
    if (app.start_window) app.start_window->SetSensitive(true);
  }
}

void FinishGenerationRun(App& app) {
  app.run_active = false;
  app.main->SetProjectCommandsSensitive(true);
  app.main->SetBusy(false);
  if (!app.ChildOpen()) app.main->SetEnabled(true);
  app.ShowProjectPath();
  app.ShowSavedState();  // the run saved the project
  if (app.exit_after_run) {
    app.exit_after_run = false;
    if (app.run_reported_error) {
      app.main->AppendLogLine(Text(kExitAbandonedLine));
      gtk_window_present(app.main->window());
      return;
    }
    RequestExit(app);
  }
}

}  // namespace quillon::app
