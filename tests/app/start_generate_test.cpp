// Command 9 and the Start Generate window: switches, exclusivity, close box,
// and "Start" running a worker whose first request closes the window.
#include <gtest/gtest.h>

#include <algorithm>

#include <gdk/gdkkeysyms.h>

#include "app/command_table.h"
#include "app/generation_worker.h"
#include "app/gui_support.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

bool Checked(AppFixture& f, int gadget) { return f.app->start_window->Checked(gadget); }

void Click(AppFixture& f, int gadget) {
  gtk_test_widget_click(f.app->start_window->gadget(gadget), 1, GdkModifierType(0));
  PumpPending();
}

void OpenNamed(AppFixture& f, const std::vector<std::string>& files) {
  const std::string project = f.WriteProject("p.pbm", files);
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  ASSERT_TRUE(f.ws.project.has_name);
}

TEST(StartGenerateTest, UnnamedProjectAsksSaveAsFirstAndCancelOpensNothing) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb"});
  f.dialogs.save_names = {Text()};
  app::DispatchCommand(*f.app, 9);
  EXPECT_EQ(f.dialogs.choosers.size(), 1u);
  EXPECT_FALSE(f.app->start_window);
  EXPECT_TRUE(f.app->main->Enabled());
}

TEST(StartGenerateTest, WindowShowsSwitchesAtTheirPositions) {
  AppFixture f;
  OpenNamed(f, {"/x/a.pb"});
  f.ws.project.switches = Switches{1, 0, 1, 0, 1, 0, 1};
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(f.app->start_window);
  app::StartGenerateWindow& sw = *f.app->start_window;
  EXPECT_STREQ(gtk_window_get_title(sw.window()), "Start Generate");
  EXPECT_FALSE(f.app->main->Enabled());
  const bool expected[] = {true, false, true, false, true};
  for (int g = 3; g <= 7; ++g) EXPECT_EQ(Checked(f, g), expected[g - 3]) << g;
  EXPECT_FALSE(Checked(f, 9));
  EXPECT_TRUE(Checked(f, 10));
  EXPECT_TRUE(f.ws.project.saved);  // opening changes nothing
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(sw.gadget(10)); }));
  PumpPending();
  const struct {
    int gadget, x, y, w, h;
    const char* text;
  } layout[] = {{3, 10, 10, 200, 20, "First Window as Parend Window"},
                {4, 10, 40, 200, 20, "Windowposition Auto (PB_Ignore)"},
                {5, 10, 70, 200, 20, "Multi Language"},
                {6, 10, 100, 200, 20, "Images Include"},
                {7, 10, 130, 200, 20, "ImageGadget set Zero"},
                {8, 10, 160, 120, 30, "Start"},
                {9, 230, 10, 200, 20, "Call Event Fast"},
                {10, 230, 40, 200, 20, "Fileformat UTF8"}};
  // A check box is as wide as its text needs when the table width is too
  // small at the font in use; the second column then moves right of the
  // first (StartWindowKeysTest checks that every text fits).
  int first_column_end = 0;
  for (const auto& l : layout) {
    GtkAllocation a;
    gtk_widget_get_allocation(sw.gadget(l.gadget), &a);
    if (l.x == 10) {
      EXPECT_EQ(a.x, l.x) << l.text;
      first_column_end = std::max(first_column_end, a.x + a.width);
    } else {
      EXPECT_EQ(a.x, std::max(l.x, first_column_end + 10)) << l.text;
    }
    EXPECT_EQ(a.y, l.y) << l.text;
    if (l.gadget == app::kGadgetStart) {
      EXPECT_EQ(a.width, l.w) << l.text;
    } else {
      EXPECT_GE(a.width, l.w) << l.text;
    }
    EXPECT_EQ(a.height, l.h) << l.text;
    EXPECT_EQ(LabelTexts(sw.gadget(l.gadget))[0], l.text);
  }
  int w = 0, h = 0;
  gtk_window_get_size(sw.window(), &w, &h);
  EXPECT_GE(w, 600);
  EXPECT_EQ(h, 200);
}

TEST(StartGenerateTest, ImageSwitchesExcludeEachOtherAndEveryClickModifies) {
  AppFixture f;
  OpenNamed(f, {"/x/a.pb"});
  f.ws.project.switches = Switches{0, 0, 0, 0, 1, 0, 0};
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(f.app->start_window);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(6)); }));
  Click(f, 6);  // Images Include on: ImageGadget set Zero off
  EXPECT_EQ(f.ws.project.switches.image_include, 1);
  EXPECT_EQ(f.ws.project.switches.image_null, 0);
  EXPECT_FALSE(Checked(f, 7));
  EXPECT_FALSE(f.ws.project.saved);
  Click(f, 7);  // and back
  EXPECT_EQ(f.ws.project.switches.image_null, 1);
  EXPECT_EQ(f.ws.project.switches.image_include, 0);
  EXPECT_FALSE(Checked(f, 6));
  Click(f, 7);  // clearing one leaves the other
  EXPECT_EQ(f.ws.project.switches.image_null, 0);
  EXPECT_EQ(f.ws.project.switches.image_include, 0);
  f.ws.project.saved = true;
  Click(f, 9);
  EXPECT_EQ(f.ws.project.switches.use_call_fast, 1);
  EXPECT_FALSE(f.ws.project.saved);
  Click(f, 3);
  EXPECT_EQ(f.ws.project.switches.parend, 1);
}

// Cancel means cancel: the Cancel button, Escape and the close box put the
// switches and the saved state back as they were when the window opened.
TEST(StartGenerateTest, CancelEscapeAndTheCloseBoxPutTheSwitchesBack) {
  AppFixture f;
  OpenNamed(f, {"/x/a.pb"});
  const Switches before{1, 0, 0, 1, 0, 1, 0};
  for (const char* way : {"Cancel", "Escape", "close box"}) {
    f.ws.project.switches = before;
    app::DispatchCommand(*f.app, 9);
    ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(7)); }));
    Click(f, 5);
    Click(f, 7);  // and Images Include goes off
    EXPECT_EQ(gtk_window_get_title(f.app->main->window())[0], '*') << way;
    app::StartGenerateWindow& sw = *f.app->start_window;
    if (way[0] == 'C') gtk_test_widget_click(sw.cancel_button(), 1, GdkModifierType(0));
    if (way[0] == 'E') gtk_test_widget_send_key(sw.gadget(5), GDK_Escape, GdkModifierType(0));
    if (way[0] == 'c') SendCloseBox(sw.window());
    ASSERT_TRUE(PumpUntil([&] { return !f.app->start_window; })) << way;
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(SwitchAt(f.ws.project.switches, i), SwitchAt(before, i)) << way << i;
    EXPECT_TRUE(f.ws.project.saved) << way;
    EXPECT_NE(gtk_window_get_title(f.app->main->window())[0], '*') << way;
    EXPECT_TRUE(f.app->main->Enabled()) << way;
    EXPECT_FALSE(f.app->run_active) << way;
  }
  EXPECT_TRUE(ListRows(f.app->main->log_view()).empty());
  app::DispatchCommand(*f.app, 0);  // nothing to save: New asks nothing
  EXPECT_TRUE(f.dialogs.questions.empty());
}

// A project whose only source file is missing: Step 1 fails, the run ends
// with "Cancel." and an empty line; two runs stack in the log.
TEST(StartGenerateTest, StartRunsTheWorkerWhichClosesTheWindowFirst) {
  AppFixture f;
  OpenNamed(f, {});
  for (int run = 1; run <= 2; ++run) {
    app::DispatchCommand(*f.app, 9);
    ASSERT_TRUE(f.app->start_window);
    ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(8)); }));
    // Two clicks before the worker's first request: one run.
    gtk_button_clicked(GTK_BUTTON(f.app->start_window->gadget(8)));
    gtk_button_clicked(GTK_BUTTON(f.app->start_window->gadget(8)));
    ASSERT_TRUE(PumpUntil([&] { return !f.app->run_active; }, 20000));
    EXPECT_FALSE(f.app->start_window);
    EXPECT_TRUE(f.app->main->Enabled());
    EXPECT_TRUE(gtk_widget_get_sensitive(f.app->main->menu_item(0)));
    const std::vector<std::string> log = ListRows(f.app->main->log_view());
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 2], "Cancel.");
    EXPECT_EQ(log.back(), "");
    EXPECT_EQ(std::count(log.begin(), log.end(), "Generate Code Step 1 ..."), run);
  }
  const std::vector<std::string> log = ListRows(f.app->main->log_view());
  EXPECT_EQ(log[0], "Generate Code Step 1 ...");
}

TEST(StartGenerateTest, ExitDuringARunWaitsForItsEnd) {
  AppFixture f;
  OpenNamed(f, {});
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(8)); }));
  app::DispatchGadget(*f.app, 8, app::kEventClick);
  ASSERT_TRUE(f.app->run_active);
  ASSERT_TRUE(PumpUntil([&] { return !f.app->start_window; }));
  app::DispatchCommand(*f.app, 5);  // deferred until the run has ended, which the log says
  app::DispatchClose(*f.app, app::kWindowMain);
  EXPECT_FALSE(f.app->exit_requested);
  const std::vector<std::string> log = ListRows(f.app->main->log_view());
  EXPECT_EQ(std::count(log.begin(), log.end(), ToUtf8(Text(app::kExitAfterRunLine))), 1);
  ASSERT_TRUE(PumpUntil([&] { return f.app->exit_requested; }, 20000));
  EXPECT_FALSE(f.app->run_active);
}

// A run that reports an error line (here a missing form) does not end the
// program it was asked to end: the log stays on screen and says so.
TEST(StartGenerateTest, ExitDuringARunThatReportsAnErrorKeepsTheLog) {
  AppFixture f;
  OpenNamed(f, {f.dir.File("missing.pbf")});
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(8)); }));
  app::DispatchGadget(*f.app, 8, app::kEventClick);
  ASSERT_TRUE(PumpUntil([&] { return !f.app->start_window; }));
  app::DispatchClose(*f.app, app::kWindowMain);
  ASSERT_TRUE(PumpUntil([&] { return !f.app->run_active; }, 20000));
  EXPECT_FALSE(f.app->exit_requested);
  const std::vector<std::string> log = ListRows(f.app->main->log_view());
  EXPECT_NE(std::find(log.begin(), log.end(), "Error " + f.dir.File("missing.pbf") + ": Open file error"), log.end());
  EXPECT_EQ(log.back(), ToUtf8(Text(app::kExitAbandonedLine)));
  app::DispatchClose(*f.app, app::kWindowMain);  // now it ends
  EXPECT_TRUE(f.app->exit_requested);
}

}  // namespace
}  // namespace quillon::testing
