// One command table for menu items, tool bar buttons and shortcuts; the size
// and close tables; commands refused while a modal child or a run is active.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>
#include <unistd.h>

#include <cstdlib>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "app/project_commands.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

// Project Save on an unnamed project asks the save chooser: each way of
// giving command 2 must reach it exactly once.
TEST(DispatchTest, MenuToolBarAndCtrlSGiveTheSameSaveCommand) {
  AppFixture f;
  app::MainWindow& w = *f.app->main;
  auto chooser_count = [&] { return f.dialogs.choosers.size(); };

  f.dialogs.save_names = {Text(), Text(), Text()};  // cancel each time
  gtk_menu_item_activate(GTK_MENU_ITEM(w.menu_item(2)));
  ASSERT_EQ(chooser_count(), 1u);
  gtk_test_widget_click(gtk_bin_get_child(GTK_BIN(w.tool_button(2))), 1, GdkModifierType(0));
  ASSERT_TRUE(PumpUntil([&] { return chooser_count() == 2; }));
  ASSERT_TRUE(gtk_test_widget_send_key(GTK_WIDGET(w.file_view()), GDK_s, GDK_CONTROL_MASK));
  ASSERT_TRUE(PumpUntil([&] { return chooser_count() == 3; }));
  // Without LastPath the chooser starts in the current folder.
  char* cwd = ::get_current_dir_name();
  for (const std::string& c : f.dialogs.choosers) {
    EXPECT_EQ(c, "Save project|" + std::string(cwd) + "/Unbekannt.pbm|Project (*.pbm)|*.pbm");
  }
  std::free(cwd);

  // Named project: all three write the project file without asking.
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb"});
  f.dialogs.open_names = {FromUtf8(project)};
  gtk_test_widget_send_key(GTK_WIDGET(w.file_view()), GDK_l, GDK_CONTROL_MASK);
  ASSERT_TRUE(PumpUntil([&] { return f.ws.project.has_name; }));
  for (int way = 0; way < 3; ++way) {
    remove(project.c_str());
    if (way == 0) gtk_menu_item_activate(GTK_MENU_ITEM(w.menu_item(2)));
    if (way == 1) gtk_test_widget_click(gtk_bin_get_child(GTK_BIN(w.tool_button(2))), 1, GdkModifierType(0));
    if (way == 2) gtk_test_widget_send_key(GTK_WIDGET(w.file_view()), GDK_s, GDK_CONTROL_MASK);
    EXPECT_TRUE(PumpUntil([&] { return FileExists(project); })) << "way " << way;
  }
  EXPECT_EQ(chooser_count(), 4u);  // the load chooser only
}

TEST(DispatchTest, CtrlNIsProjectNew) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb"});
  f.app->ShowFileList();
  gtk_test_widget_send_key(GTK_WIDGET(f.app->main->log_view()), GDK_n, GDK_CONTROL_MASK);
  EXPECT_TRUE(PumpUntil([&] { return f.ws.project.files.empty(); }));
  EXPECT_TRUE(ListRows(f.app->main->file_view()).empty());
}

TEST(DispatchTest, ChildWindowSizeEventsChangeNothing) {
  AppFixture f;
  f.ws.project.has_name = true;
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(f.app->start_window);
  GtkWidget* box = f.app->start_window->gadget(3);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(box); }));
  PumpPending();
  GtkAllocation before_box, before_pane, after_box, after_pane;
  gtk_widget_get_allocation(box, &before_box);
  gtk_widget_get_allocation(f.app->main->pane(), &before_pane);
  for (int window : {1, 2, 3}) app::DispatchSize(*f.app, window);
  gtk_window_resize(f.app->start_window->window(), 900, 500);
  PumpUntil([&] {
    int w = 0, h = 0;
    gtk_window_get_size(f.app->start_window->window(), &w, &h);
    return w == 900;
  });
  PumpPending();
  gtk_widget_get_allocation(box, &after_box);
  gtk_widget_get_allocation(f.app->main->pane(), &after_pane);
  EXPECT_EQ(before_box.width, after_box.width);
  EXPECT_EQ(before_box.height, after_box.height);
  EXPECT_GE(after_box.width, 200);  // as wide as its text needs
  EXPECT_EQ(after_box.height, 20);
  EXPECT_EQ(before_pane.height, after_pane.height);
  EXPECT_EQ(before_pane.width, after_pane.width);
}

TEST(DispatchTest, CommandsIgnoredWhileAModalChildIsOpen) {
  AppFixture f;
  app::DispatchCommand(*f.app, 11);  // licence window
  ASSERT_TRUE(f.app->licence_window);
  EXPECT_FALSE(f.app->main->Enabled());
  f.ws.project.files = L({"/x/a.pb"});
  app::DispatchCommand(*f.app, 0);  // New would empty the list
  EXPECT_EQ(f.ws.project.files.size(), 1u);
  app::DispatchClose(*f.app, app::kWindowMain);  // close box of the disabled main window
  EXPECT_FALSE(f.app->exit_requested);
  EXPECT_TRUE(f.dialogs.questions.empty());
}

TEST(DispatchTest, ProjectCommandsRefusedWhileARunIsActive) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb", "/x/b.pb"});
  f.app->ShowFileList();
  f.app->run_active = true;
  f.app->main->SetProjectCommandsSensitive(false);
  for (int command : {0, 1, 2, 3, 4, 6, 7, 8, 9}) {
    EXPECT_TRUE(app::ChangesProject(command));
    EXPECT_FALSE(gtk_widget_get_sensitive(f.app->main->menu_item(command))) << command;
    app::DispatchCommand(*f.app, command);
  }
  EXPECT_EQ(f.ws.project.files.size(), 2u);
  EXPECT_TRUE(f.dialogs.choosers.empty());
  EXPECT_FALSE(f.app->start_window);
  // Info stays available; Exit waits for the end of the run.
  app::DispatchCommand(*f.app, 10);
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
  app::DispatchCommand(*f.app, 5);
  EXPECT_FALSE(f.app->exit_requested);
  EXPECT_TRUE(f.app->exit_after_run);
  f.app->run_active = false;  // nothing runs: let the fixture end cleanly
}

}  // namespace
}  // namespace quillon::testing
