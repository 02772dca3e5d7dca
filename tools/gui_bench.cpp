// Benchmark of the window front end (not a test): time from start to the
// first mapped main window, and a log line's round trip from the worker.
// Run under xvfb-run -a.
#include <gtk/gtk.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/app.h"
#include "app/gtk_dialog_service.h"

using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
  const auto start = Clock::now();
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "gui_bench: no display; run under xvfb-run -a\n");
    return 1;
  }
  char folder[] = "/tmp/quillon-bench-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  const std::string dir = std::string(folder) + "/";
  quillon::Workspace ws;
  quillon::app::GtkDialogService dialogs;
  quillon::app::App app(ws, dialogs, {dir + "QN4.INI", dir + "UserList.INI"});
  if (!app.Open()) return 1;
  app.LoadStartup(quillon::Text());
  GtkWidget* window = GTK_WIDGET(app.main->window());
  while (!gtk_widget_get_mapped(window)) gtk_main_iteration();
  const double startup_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

  constexpr int kLines = 5000;
  std::atomic<bool> done{false};
  double worker_ms = 0;
  std::thread worker([&] {
    const auto t0 = Clock::now();
    for (int i = 0; i < kLines; ++i)
      app.host.AddLogLine(quillon::T("- a log line of usual length " + std::to_string(i)));
    worker_ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    done = true;
  });
  while (!done) gtk_main_iteration();
  worker.join();
  std::printf("start-up to first mapped main window: %.1f ms\n", startup_ms);
  std::printf("log line round trip: %.1f us per line (%d lines, %.0f ms)\n", worker_ms * 1000 / kLines, kLines,
              worker_ms);
  return 0;
}
