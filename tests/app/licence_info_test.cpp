// The Info box text and the licence window with its list.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "app/info_box.h"
#include "app/licence_text.h"

namespace quillon::testing {
namespace {

TEST(LicenceInfoTest, SplitRemovesCrKeepsEmptyItemsDropsTheUnterminatedTail) {
  EXPECT_EQ(app::SplitLicenceLines("a\r\n\r\nb\n\nc\rd\ntail"), L({"a", "", "b", "", "cd"}));
  EXPECT_TRUE(app::SplitLicenceLines("no line end").empty());
  EXPECT_EQ(app::SplitLicenceLines("\n\n"), L({"", ""}));
}

TEST(LicenceInfoTest, LicenceWindowListFirstItemEmptyItemsAndFixedSize) {
  AppFixture f;
  app::DispatchCommand(*f.app, 11);
  ASSERT_TRUE(f.app->licence_window);
  app::LicenceWindow& lw = *f.app->licence_window;
  EXPECT_STREQ(gtk_window_get_title(lw.window()), "Licence");
  EXPECT_EQ(gtk_window_get_transient_for(lw.window()), f.app->main->window());
  EXPECT_FALSE(f.app->main->Enabled());
  const std::vector<std::string> rows = ListRows(lw.list());
  ASSERT_GT(rows.size(), 3u);
  EXPECT_EQ(rows[0], "Lizenzvereinbarung  ");
  EXPECT_EQ(rows[1], "");
  EXPECT_EQ(rows.size(), app::SplitLicenceLines(T(app::LicenceText())).size());

  auto list_size = [&](int* w, int* h) {
    GtkAllocation a;
    gtk_widget_get_allocation(lw.list_frame(), &a);
    *w = a.width;
    *h = a.height;
  };
  int w = 0, h = 0;
  ASSERT_TRUE(PumpUntil([&] {
    list_size(&w, &h);
    return w == 600 && h == 480;
  }));
  gtk_window_resize(lw.window(), 900, 700);
  PumpUntil([&] {
    GtkAllocation a;
    gtk_widget_get_allocation(GTK_WIDGET(lw.window()), &a);
    return a.width == 900;
  });
  PumpPending();
  list_size(&w, &h);
  EXPECT_EQ(w, 600);
  EXPECT_EQ(h, 480);

  // The close box returns to the main window.
  GdkEvent* event = gdk_event_new(GDK_DELETE);
  event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(lw.window()))));
  gtk_main_do_event(event);
  gdk_event_free(event);
  EXPECT_FALSE(f.app->licence_window);
  EXPECT_TRUE(f.app->main->Enabled());
}

TEST(LicenceInfoTest, WorkerLinesArriveWhileTheLicenceWindowIsOpen) {
  AppFixture f;
  app::DispatchCommand(*f.app, 11);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < 20; ++i) f.app->host.AddLogLine(T("x"));
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(ListRows(f.app->main->log_view()).size(), 20u);
  EXPECT_TRUE(f.app->licence_window);
}

TEST(LicenceInfoTest, InfoBoxShowsTheComposedText) {
  AppFixture f;
  app::DispatchCommand(*f.app, 10);
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  const std::string& box = f.dialogs.messages[0];
  const std::string head = "Info: Quillon Deluxe Version v5.17\nRev. 383656\n\n";
  EXPECT_EQ(box.rfind(head, 0), 0u) << box;
  // One attribution line, then a blank line and the settings folder in use.
  const size_t attribution_end = box.find('\n', head.size());
  ASSERT_NE(attribution_end, std::string::npos) << box;
  EXPECT_GT(attribution_end, head.size());
  EXPECT_EQ(box.substr(attribution_end), "\n\nSettings: " + f.dir.path()) << box;
}

}  // namespace
}  // namespace quillon::testing
