// The real GTK dialogs answered by a responder: the save prompt of Exit and
// the project error box, with exact titles and texts.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "app/gtk_dialog_service.h"
#include "app/gui_support.h"
#include "project/project_file.h"

namespace quillon::testing {
namespace {

struct RealApp {
  RealApp() {
    app = std::make_unique<app::App>(ws, dialogs, app::AppPaths{dir.File("QN4.INI"), dir.File("UserList.INI")});
    EXPECT_TRUE(app->Open());
    dialogs.SetParent(app->main->window());
    app->LoadStartup(Text());
    PumpUntil([this] { return gtk_widget_get_mapped(GTK_WIDGET(app->main->window())); });
  }
  ~RealApp() {
    app.reset();
    PumpPending();
  }
  TempDir dir;
  Workspace ws;
  app::GtkDialogService dialogs;
  std::unique_ptr<app::App> app;
};

TEST(RealDialogsTest, ExitSavePromptAnsweredNo) {
  RealApp r;
  r.ws.project.saved = false;
  DialogResponder responder("Frage", "Aktuelles Projekt speichern?", GTK_RESPONSE_NO);
  app::DispatchClose(*r.app, app::kWindowMain);
  EXPECT_EQ(responder.answered(), 1);
  EXPECT_TRUE(r.app->exit_requested);
}

TEST(RealDialogsTest, ExitSavePromptYesThenCancelledChooserKeepsRunning) {
  RealApp r;
  r.ws.project.files = L({"/x/a.pb"});
  r.ws.project.saved = false;
  DialogResponder question("Frage", "Aktuelles Projekt speichern?", GTK_RESPONSE_YES);
  DialogResponder chooser("Save project", "", GTK_RESPONSE_CANCEL);
  app::DispatchCommand(*r.app, 5);
  EXPECT_EQ(question.answered(), 1);
  EXPECT_EQ(chooser.answered(), 1);
  EXPECT_FALSE(r.app->exit_requested);
  EXPECT_FALSE(r.ws.project.saved);
}

TEST(RealDialogsTest, FailedLoadShowsTheProjectErrorBox) {
  RealApp r;
  DialogResponder box("UserGadgetList", "Error open file project", GTK_RESPONSE_OK);
  EXPECT_FALSE(LoadProject(r.ws, FromUtf8(r.dir.File("missing.pbm")), r.app->reporter));
  EXPECT_EQ(box.answered(), 1);
}

}  // namespace
}  // namespace quillon::testing
