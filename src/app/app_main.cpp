#include "app/app_main.h"

#include <gtk/gtk.h>

#include <cstdio>

#include "app/app.h"
#include "app/gtk_dialog_service.h"
#include "project/app_paths.h"

namespace quillon::app {

int AppMain(int argc, char** argv) {
  // Without a display the main window cannot open: say so, write nothing,
  // and end with a failure status so scripts notice.
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "quillon: cannot open the display\n");
    return 1;
  }
  Workspace ws;
  GtkDialogService dialogs;
  // The settings folder outside the program's folder is created on first use;
  // when that fails, the user list's and the settings' own boxes tell.
  MakeSettingsDirectory(SettingsDirectory());
  App app(ws, dialogs, AppPaths{SettingsPath(), UserListPath()});
  if (!app.Open()) return 1;
  dialogs.SetParent(app.main->window());
  app.LoadStartup(argc > 1 ? FromUtf8(argv[1]) : Text());
  app.RunEventLoop();
  app.SaveSettingsAtExit();
  return 0;
}

}  // namespace quillon::app
