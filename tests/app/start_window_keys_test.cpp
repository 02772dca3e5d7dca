// The Start Generate window as a user at the keyboard meets it: readable
// check boxes, Return starts, Escape and Cancel close without a run, the
// window over the main window, Tab down the first column, then the second,
// then Start and Cancel; and an unnamed
// project that gets its name in Save As goes on to the window.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>

#include "app/command_table.h"
#include "app/gui_support.h"

namespace quillon::testing {
namespace {

constexpr int kCheckBoxes[] = {3, 4, 5, 6, 7, 9, 10};

app::StartGenerateWindow& OpenWindow(AppFixture& f, const std::vector<std::string>& files) {
  const std::string project = f.WriteProject("p.pbm", files);
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  app::DispatchCommand(*f.app, 9);
  EXPECT_TRUE(f.app->start_window);
  PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(10)); });
  PumpPending();
  return *f.app->start_window;
}

void PressKey(GtkWidget* widget, guint keyval) {
  gtk_test_widget_send_key(widget, keyval, GdkModifierType(0));
  PumpPending();
}

TEST(StartWindowKeysTest, EveryCheckBoxShowsItsWholeTextWithoutOverlap) {
  AppFixture f;
  app::StartGenerateWindow& sw = OpenWindow(f, {"/x/a.pb"});
  int window_width = 0;
  gtk_window_get_size(sw.window(), &window_width, nullptr);
  for (int gadget : kCheckBoxes) {
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(sw.gadget(gadget)));
    GtkRequisition needed;
    gtk_widget_size_request(label, &needed);
    EXPECT_GE(Allocation(label).width, needed.width) << LabelTexts(label)[0];
    const GtkAllocation box = Allocation(sw.gadget(gadget));
    EXPECT_LE(box.x + box.width, window_width) << gadget;
  }
  // The two columns stay apart on the rows they share.
  for (const auto& row : {std::pair{3, 9}, std::pair{4, 10}}) {
    const GtkAllocation left = Allocation(sw.gadget(row.first));
    EXPECT_LE(left.x + left.width, Allocation(sw.gadget(row.second)).x) << row.first;
  }
}

TEST(StartWindowKeysTest, ReturnOnACheckBoxStartsTheRunWithoutTogglingIt) {
  AppFixture f;
  f.ws.project.switches = Switches{};
  app::StartGenerateWindow& sw = OpenWindow(f, {});
  f.ws.project.switches.parend = 1;
  sw.SetChecked(3, true);
  gtk_widget_grab_focus(sw.gadget(3));
  PressKey(sw.gadget(3), GDK_Return);
  EXPECT_TRUE(f.app->run_active || !f.app->start_window);
  ASSERT_TRUE(PumpUntil([&] { return !f.app->run_active && !f.app->start_window; }, 20000));
  EXPECT_EQ(f.ws.project.switches.parend, 1);
  const std::vector<std::string> log = ListRows(f.app->main->log_view());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Generate Code Step 1 ...");
}

TEST(StartWindowKeysTest, EscapeAndCancelCloseWithoutARunAndPutTheSwitchesBack) {
  AppFixture f;
  for (const bool use_escape : {true, false}) {
    app::StartGenerateWindow& sw = OpenWindow(f, {"/x/a.pb"});
    const Switches before = f.ws.project.switches;
    gtk_test_widget_click(sw.gadget(6), 1, GdkModifierType(0));
    PumpPending();
    ASSERT_NE(f.ws.project.switches.image_include, before.image_include);
    if (use_escape) {
      PressKey(sw.gadget(4), GDK_Escape);
    } else {
      EXPECT_EQ(LabelTexts(sw.cancel_button()), std::vector<std::string>{"Cancel"});
      gtk_test_widget_click(sw.cancel_button(), 1, GdkModifierType(0));
      PumpPending();
    }
    EXPECT_FALSE(f.app->start_window) << use_escape;
    EXPECT_FALSE(f.app->run_active) << use_escape;
    EXPECT_TRUE(f.app->main->Enabled()) << use_escape;
    EXPECT_EQ(f.ws.project.switches.image_include, before.image_include) << use_escape;
    EXPECT_TRUE(f.ws.project.saved) << use_escape;
  }
  EXPECT_TRUE(ListRows(f.app->main->log_view()).empty());
}

TEST(StartWindowKeysTest, CentredOnTheMainWindowAndTabGoesDownTheFirstColumn) {
  AppFixture f;
  gtk_window_move(f.app->main->window(), 30, 40);
  PumpUntil([&] {
    gint x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(f.app->main->window())), &x, &y);
    return x == 30 && y == 40;
  });
  app::StartGenerateWindow& sw = OpenWindow(f, {"/x/a.pb"});
  const GtkAllocation main = Allocation(GTK_WIDGET(f.app->main->window()));
  const GtkAllocation child = Allocation(GTK_WIDGET(sw.window()));
  gint main_x = 0, main_y = 0, child_x = 0, child_y = 0;
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(f.app->main->window())), &main_x, &main_y);
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(sw.window())), &child_x, &child_y);
  EXPECT_NEAR(child_x + child.width / 2, main_x + main.width / 2, 2);
  EXPECT_NEAR(child_y + child.height / 2, main_y + main.height / 2, 2);

  gtk_widget_grab_focus(sw.gadget(3));
  std::vector<GtkWidget*> order;
  for (int i = 0; i < 8; ++i) {
    PressKey(gtk_window_get_focus(sw.window()), GDK_Tab);
    order.push_back(gtk_window_get_focus(sw.window()));
  }
  const std::vector<GtkWidget*> expected = {sw.gadget(4), sw.gadget(5),  sw.gadget(6), sw.gadget(7),
                                            sw.gadget(9), sw.gadget(10), sw.gadget(8), sw.cancel_button()};
  EXPECT_EQ(order, expected);
}

TEST(StartWindowKeysTest, UnnamedProjectGoesOnToTheWindowOnceSavedOrTheLogSaysWhy) {
  AppFixture f;
  // Cancelled Save As: the log says the run needs a saved project.
  f.ws.project.files = L({"/x/a.pb"});
  f.dialogs.save_names = {Text()};
  app::DispatchCommand(*f.app, 9);
  EXPECT_FALSE(f.app->start_window);
  EXPECT_EQ(ListRows(f.app->main->log_view()),
            std::vector<std::string>{"Start Generate: the run needs a saved project; it did not start."});

  // An empty file list is never saved: the log says so instead of nothing.
  f.app->main->ClearLog();
  f.ws.project.files.clear();
  f.dialogs.save_names = {FromUtf8(f.dir.File("empty.pbm"))};
  app::DispatchCommand(*f.app, 9);
  EXPECT_FALSE(f.app->start_window);
  EXPECT_EQ(ListRows(f.app->main->log_view()),
            std::vector<std::string>{"Start Generate: the file list is empty; add forms with Common Add first."});

  // A name picked for a project with files: saved, and the window opens.
  f.ws.project.files = L({"/x/a.pb"});
  f.dialogs.save_names = {FromUtf8(f.dir.File("named"))};
  app::DispatchCommand(*f.app, 9);
  EXPECT_TRUE(f.ws.project.has_name);
  EXPECT_EQ(f.ws.project.project_path, FromUtf8(f.dir.File("named.pbm")));
  EXPECT_TRUE(f.app->start_window);
}

}  // namespace
}  // namespace quillon::testing
