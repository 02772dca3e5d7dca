// The smaller things a user notices: "*" in the title for unsaved changes,
// Delete and the file commands that need a selection, a form added twice,
// the busy cursor during a run, where the file choosers start, and the
// Close and Cancel buttons (and Escape) of the Licence and User gadget
// windows.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>

#include "app/command_table.h"
#include "app/display_text.h"
#include "app/gui_support.h"

namespace quillon::testing {
namespace {

std::string Title(AppFixture& f) { return gtk_window_get_title(f.app->main->window()); }

bool Usable(AppFixture& f, int command) {
  return gtk_widget_get_sensitive(f.app->main->menu_item(command)) &&
         gtk_widget_get_sensitive(f.app->main->tool_button(command));
}

// A file name that is not UTF-8 must reach GTK as valid UTF-8 (GTK refuses
// the whole text otherwise); every byte of no valid sequence shows as U+FFFD.
TEST(WindowDetailsTest, BytesOfNoValidSequenceShowAsReplacementCharacters) {
  EXPECT_EQ(app::DisplayUtf8("K\xC3\xA4se \xFF\xC3(\xE2\x82"),
            "K\xC3\xA4se \xEF\xBF\xBD\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(app::DisplayUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
}

TEST(WindowDetailsTest, TitleMarksUnsavedChanges) {
  AppFixture f;
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb"});
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  EXPECT_EQ(Title(f), "Quillon Deluxe Version v5.17");
  f.dialogs.open_lists = {L({"/x/b.pb"})};
  app::DispatchCommand(*f.app, 6);
  EXPECT_EQ(Title(f), "*Quillon Deluxe Version v5.17");
  app::DispatchCommand(*f.app, 2);  // Save
  EXPECT_EQ(Title(f), "Quillon Deluxe Version v5.17");
}

TEST(WindowDetailsTest, DeleteKeyRemovesTheSelectedFileAndFileCommandsNeedASelection) {
  AppFixture f;
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb", "/x/b.pb"});
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  PumpPending();
  EXPECT_FALSE(Usable(f, 7));
  EXPECT_FALSE(Usable(f, 8));
  EXPECT_TRUE(Usable(f, 6));
  ASSERT_TRUE(ClickRow(f.app->main->file_view(), 1));
  EXPECT_TRUE(Usable(f, 7));
  EXPECT_TRUE(Usable(f, 8));
  gtk_test_widget_send_key(GTK_WIDGET(f.app->main->file_view()), GDK_Delete, GdkModifierType(0));
  PumpPending();
  EXPECT_EQ(f.ws.project.files, L({"/x/a.pb"}));
  EXPECT_EQ(ListRows(f.app->main->file_view()), std::vector<std::string>{"/x/a.pb"});
  EXPECT_FALSE(f.ws.project.saved);
  EXPECT_FALSE(Usable(f, 7));  // the selection went with the file
  EXPECT_FALSE(Usable(f, 8));
}

TEST(WindowDetailsTest, TheSameFormUnderAnotherSpellingIsRefused) {
  AppFixture f;
  WriteBytes(f.dir.File("form.pbf"), "; form\n");
  const std::string project = f.WriteProject("p.pbm", {"form.pbf"});  // relative to the project
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  f.dialogs.open_lists = {L({f.dir.path() + "./form.pbf"})};
  app::DispatchCommand(*f.app, 6);
  EXPECT_EQ(f.ws.project.files, L({"form.pbf"}));
  EXPECT_TRUE(f.ws.project.saved);
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_NE(f.dialogs.messages[0].find("Already in the file list"), std::string::npos);
}

TEST(WindowDetailsTest, BusyCursorWhileARunLasts) {
  AppFixture f;
  const std::string project = f.WriteProject("p.pbm", {});
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  app::DispatchCommand(*f.app, 9);
  ASSERT_TRUE(f.app->start_window);
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(f.app->main->window()));
  EXPECT_EQ(gdk_window_get_cursor(window), nullptr);
  app::DispatchGadget(*f.app, app::kGadgetStart, app::kEventClick);
  // The worker needs the main loop for every request: the run is still on.
  ASSERT_TRUE(f.app->run_active);
  GdkCursor* busy = gdk_window_get_cursor(window);
  ASSERT_NE(busy, nullptr);
  EXPECT_EQ(gdk_cursor_get_cursor_type(busy), GDK_WATCH);
  ASSERT_TRUE(PumpUntil([&] { return !f.app->run_active; }, 20000));
  EXPECT_EQ(gdk_window_get_cursor(window), nullptr);
}

TEST(WindowDetailsTest, LicenceWindowClosesWithItsButtonAndWithEscape) {
  AppFixture f;
  for (const bool escape : {false, true}) {
    app::DispatchCommand(*f.app, 11);
    ASSERT_TRUE(f.app->licence_window);
    GtkWidget* close = f.app->licence_window->close_button();
    ASSERT_TRUE(WaitMapped(close));
    EXPECT_EQ(LabelTexts(close), std::vector<std::string>{"Close"});
    if (escape) {
      gtk_test_widget_send_key(close, GDK_Escape, GdkModifierType(0));
    } else {
      gtk_test_widget_click(close, 1, GdkModifierType(0));
    }
    PumpPending();
    EXPECT_FALSE(f.app->licence_window) << escape;
    EXPECT_TRUE(f.app->main->Enabled()) << escape;
  }
}

TEST(WindowDetailsTest, UserGadgetWindowSaysWhatToEnterAndCancelsWithItsButtonAndEscape) {
  AppFixture f("", "", "[USERGADGET]\nMyGrid\n");
  for (const bool escape : {false, true}) {
    app::DispatchCommand(*f.app, 4);
    ASSERT_TRUE(f.app->user_gadget.IsOpen());
    app::UserGadgetWindow& w = f.app->user_gadget;
    ASSERT_TRUE(WaitMapped(w.cancel_button()));
    EXPECT_NE(LabelTexts(w.hint())[0].find("procedures that create a gadget"), std::string::npos);
    f.dialogs.inputs = {T("Added")};
    w.HandleGadget(app::kGadgetAdd, app::kEventClick);
    ASSERT_EQ(w.entries().size(), 2u);
    if (escape) {
      gtk_test_widget_send_key(w.cancel_button(), GDK_Escape, GdkModifierType(0));
    } else {
      gtk_test_widget_click(w.cancel_button(), 1, GdkModifierType(0));
    }
    PumpPending();
    EXPECT_FALSE(w.IsOpen()) << escape;
    EXPECT_TRUE(f.app->main->Enabled()) << escape;
    EXPECT_EQ(f.ws.user_gadgets, L({"MyGrid"})) << escape;  // the edit was dropped
  }
}

TEST(WindowDetailsTest, ChoosersStartInTheProjectsFolderWhenNoFolderWasUsedYet) {
  const TempDir project_dir;
  WriteBytes(project_dir.File("a.pbm"), "[FILES]\n/x/a.pb\n\n");
  AppFixture f(project_dir.File("a.pbm"));
  ASSERT_TRUE(f.ws.last_path.empty());  // a project opened at start-up sets none
  f.dialogs.open_names = {Text()};
  f.dialogs.open_lists = {Lines()};
  app::DispatchCommand(*f.app, 1);
  app::DispatchCommand(*f.app, 6);
  EXPECT_EQ(f.dialogs.choosers,
            (std::vector<std::string>{"Load project|" + project_dir.path() + "|Project (*.pbm)|*.pbm",
                                      "Commonfile|" + project_dir.path() + "|Common|*.pb*|Alle Dateien|*.*"}));
}

}  // namespace
}  // namespace quillon::testing
