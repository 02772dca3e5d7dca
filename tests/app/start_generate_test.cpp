// Command 9 and the Start Generate window: switches, exclusivity, close box,
// and "Start" running a worker whose first request closes the window.
#include <gtest/gtest.h>

#include <algorithm>

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

// Cancel means cancel: the close box puts the switches and the saved state
// back as they were when the window opened (Cancel and Escape: see
// StartWindowKeysTest).
TEST(StartGenerateTest, CloseBoxPutsTheSwitchesBackAndStartsNoRun) {
  AppFixture f;
  OpenNamed(f, {"/x/a.pb"});
  f.ws.project.switches = Switches{};
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(5)); }));
  Click(f, 5);
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(f.app->start_window->window()))));
  gtk_main_do_event(event);
  gdk_event_free(event);
  EXPECT_FALSE(f.app->start_window);
  EXPECT_TRUE(f.app->main->Enabled());
  EXPECT_EQ(f.ws.project.switches.multilang, 0);
  EXPECT_FALSE(f.app->run_active);
  EXPECT_TRUE(ListRows(f.app->main->log_view()).empty());
  EXPECT_NE(gtk_window_get_title(f.app->main->window())[0], '*');
  app::DispatchCommand(*f.app, 0);  // not modified: New asks nothing
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

// An exit during a run waits for its end, which the log says at once; a run
// that reports an error line (a missing form) keeps the window and its log.
TEST(StartGenerateTest, ExitDuringARunWaitsForItsEndUnlessTheRunReportsAnError) {
  for (const bool error : {false, true}) {
    AppFixture f;
    OpenNamed(f, error ? std::vector<std::string>{f.dir.File("missing.pbf")} : std::vector<std::string>{});
    app::DispatchCommand(*f.app, 9);
    ASSERT_TRUE(PumpUntil([&] { return gtk_widget_get_mapped(f.app->start_window->gadget(8)); }));
    app::DispatchGadget(*f.app, 8, app::kEventClick);
    ASSERT_TRUE(f.app->run_active);
    ASSERT_TRUE(PumpUntil([&] { return !f.app->start_window; }));
    app::DispatchCommand(*f.app, 5);  // deferred until the run has ended
    EXPECT_FALSE(f.app->exit_requested);
    EXPECT_EQ(ListRows(f.app->main->log_view()).back(), ToUtf8(Text(app::kExitAfterRunLine)));
    ASSERT_TRUE(PumpUntil([&] { return !f.app->run_active; }, 20000));
    EXPECT_EQ(f.app->exit_requested, !error);
    EXPECT_EQ(ListRows(f.app->main->log_view()).back() == ToUtf8(Text(app::kExitAbandonedLine)), error);
  }
}

}  // namespace
}  // namespace quillon::testing
