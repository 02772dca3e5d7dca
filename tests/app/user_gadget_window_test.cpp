// Command 4 and the User gadget window: edits live in the window until "Ok",
// which stores them in the workspace and UserList.INI; the close box drops
// them. Input boxes are answered from the script.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

class UserGadgetWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { f = std::make_unique<AppFixture>("", "", "[USERGADGET]\nMyGrid\n  MyChart\n"); }

  app::UserGadgetWindow& window() { return f->app->user_gadget; }
  std::vector<std::string> Rows() { return ListRows(window().list()); }
  bool Open() {
    app::DispatchCommand(*f->app, 4);
    return window().IsOpen() && WaitMapped(GTK_WIDGET(window().list()));
  }
  void Click(int button) {
    gtk_test_widget_click(window().gadget(button), 1, GdkModifierType(0));
    PumpPending();
  }
  std::string UserList() { return ReadBytes(f->dir.File("UserList.INI")); }

  std::unique_ptr<AppFixture> f;
};

TEST_F(UserGadgetWindowTest, OpensWithTheListAtTheFixedPositions) {
  ASSERT_TRUE(Open());
  EXPECT_STREQ(gtk_window_get_title(window().window()), "UserGadget");
  EXPECT_FALSE(f->app->main->Enabled());
  EXPECT_EQ(gtk_window_get_transient_for(window().window()), f->app->main->window());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyGrid", "MyChart"}));
  const struct {
    int gadget, x, y, w, h;
    const char* text;
  } layout[] = {{20, 0, 0, 220, 350, nullptr},
                {21, 10, 360, 60, 30, "Add"},
                {22, 80, 360, 60, 30, "Del"},
                {23, 150, 360, 60, 30, "Ok"}};
  for (const auto& l : layout) {
    const GtkAllocation a = Allocation(window().gadget(l.gadget));
    EXPECT_EQ(a.x, l.x) << l.gadget;
    EXPECT_EQ(a.y, l.y) << l.gadget;
    EXPECT_EQ(a.width, l.w) << l.gadget;
    EXPECT_EQ(a.height, l.h) << l.gadget;
    if (l.text) {
      EXPECT_EQ(LabelTexts(window().gadget(l.gadget)), std::vector<std::string>{l.text});
    }
  }
  int w = 0, h = 0;
  gtk_window_get_size(window().window(), &w, &h);
  // Below the buttons the line about what to enter, as high as its text
  // needs, then Cancel; the window grows with them.
  int text_width = 0, text_height = 0;
  pango_layout_get_pixel_size(gtk_label_get_layout(GTK_LABEL(window().hint())), &text_width, &text_height);
  EXPECT_LE(Allocation(window().hint()).y + text_height, Allocation(window().cancel_button()).y);
  EXPECT_EQ(w, 220);
  EXPECT_GE(h, 480);
  gint x = 0, y = 0;
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(window().window())), &x, &y);
  EXPECT_EQ(x, (gdk_screen_width() - 220) / 2);
  EXPECT_EQ(y, (gdk_screen_height() - h) / 2);
  // Modal in effect: the main window's commands are refused meanwhile.
  app::DispatchCommand(*f->app, 4);
  app::DispatchCommand(*f->app, 9);
  EXPECT_FALSE(f->app->start_window);
}

TEST_F(UserGadgetWindowTest, OkStoresAddedEditedAndDeletedEntriesAsTheyStand) {
  const KeywordSets keywords_before = f->ws.keywords;
  ASSERT_EQ(keywords_before.gadget_keywords.count("MYCHART"), 1u);
  ASSERT_TRUE(Open());
  f->dialogs.inputs = {T("  Spaced Name  "), Text()};
  Click(app::kGadgetAdd);  // appended with its blanks
  Click(app::kGadgetAdd);  // empty answer: nothing
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyGrid", "MyChart", "  Spaced Name  "}));
  // Double click edits the entry; the box starts from its text.
  f->dialogs.inputs = {T("MyTable"), Text()};
  ASSERT_TRUE(DoubleClickRow(window().list(), 0));
  ASSERT_TRUE(DoubleClickRow(window().list(), 1));  // empty answer leaves it
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyTable", "MyChart", "  Spaced Name  "}));
  EXPECT_EQ(f->dialogs.input_boxes,
            (std::vector<std::string>{"Add Gadget||", "Add Gadget||", "Edit Gadget||MyGrid", "Edit Gadget||MyChart"}));
  // A single click only selects; "Del" removes at once, without a question.
  ASSERT_TRUE(ClickRow(window().list(), 1));
  EXPECT_EQ(f->dialogs.input_boxes.size(), 4u);
  Click(app::kGadgetDel);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyTable", "  Spaced Name  "}));
  EXPECT_TRUE(f->dialogs.questions.empty());
  // Nothing is stored before "Ok".
  EXPECT_EQ(f->ws.user_gadgets, L({"MyGrid", "MyChart"}));
  EXPECT_EQ(UserList(), "[USERGADGET]\nMyGrid\n  MyChart\n");

  Click(app::kGadgetOk);
  EXPECT_FALSE(window().IsOpen());
  EXPECT_TRUE(f->app->main->Enabled());
  EXPECT_FALSE(f->app->user_gadget_open);
  EXPECT_EQ(f->ws.user_gadgets, L({"MyTable", "  Spaced Name  "}));
  EXPECT_EQ(UserList(), "[USERGADGET]\nMyTable\n  Spaced Name  \n");
  // The keyword sets keep what start-up built: new names count from the next start.
  EXPECT_EQ(f->ws.keywords.gadget_keywords, keywords_before.gadget_keywords);
  EXPECT_EQ(f->ws.keywords.command_keywords, keywords_before.command_keywords);
  // Reopening shows the stored list.
  ASSERT_TRUE(Open());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyTable", "  Spaced Name  "}));
}

TEST_F(UserGadgetWindowTest, CloseBoxDropsTheEdits) {
  ASSERT_TRUE(Open());
  f->dialogs.inputs = {T("Extra")};
  Click(app::kGadgetAdd);
  ASSERT_TRUE(ClickRow(window().list(), 0));
  Click(app::kGadgetDel);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyChart", "Extra"}));
  SendCloseBox(window().window());
  EXPECT_FALSE(window().IsOpen());
  EXPECT_TRUE(f->app->main->Enabled());
  EXPECT_EQ(f->ws.user_gadgets, L({"MyGrid", "MyChart"}));
  EXPECT_EQ(UserList(), "[USERGADGET]\nMyGrid\n  MyChart\n");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"MyGrid", "MyChart"}));
}

TEST_F(UserGadgetWindowTest, DelOrTheDeleteKeyWithoutSelectionAndOkAfterDeletingAll) {
  ASSERT_TRUE(Open());
  Click(app::kGadgetDel);
  EXPECT_EQ(Rows().size(), 2u);
  for (const guint key : {GDK_Delete, GDK_BackSpace}) {
    ASSERT_TRUE(ClickRow(window().list(), 0));
    gtk_test_widget_send_key(GTK_WIDGET(window().list()), key, GdkModifierType(0));
    PumpPending();
  }
  EXPECT_TRUE(Rows().empty());
  Click(app::kGadgetDel);  // an empty list: nothing to do
  Click(app::kGadgetOk);
  EXPECT_TRUE(f->ws.user_gadgets.empty());
  EXPECT_EQ(UserList(), "[USERGADGET]\n");
}

TEST_F(UserGadgetWindowTest, SaveFailureShowsItsBoxAndTheListKeepsTheNewNames) {
  ASSERT_TRUE(Open());
  f->dialogs.inputs = {T("New")};
  Click(app::kGadgetAdd);
  // The list's path became a folder: no file can replace it.
  const std::string path = f->dir.File("UserList.INI");
  ASSERT_EQ(std::remove(path.c_str()), 0);
  ASSERT_TRUE(MakeDirectory(path, 0700));
  Click(app::kGadgetOk);
  EXPECT_EQ(f->dialogs.errors,
            std::vector<std::string>{"Save UserGadget: Error save file usergadget\n" + path + ": Is a directory"});
  EXPECT_EQ(f->ws.user_gadgets, L({"MyGrid", "MyChart", "New"}));
  EXPECT_FALSE(window().IsOpen());
  EXPECT_TRUE(f->app->main->Enabled());
}

// A name with a byte that is not UTF-8 shows as U+FFFD in the box; taking
// the answer as shown keeps the name's own byte.
TEST(UserGadgetWindowBytes, AnEditLeftAsShownKeepsUndecodableBytes) {
  AppFixture f("", "", "[USERGADGET]\nMy\xffGrid\n");
  app::DispatchCommand(*f.app, 4);
  app::UserGadgetWindow& w = f.app->user_gadget;
  ASSERT_TRUE(w.IsOpen() && WaitMapped(GTK_WIDGET(w.list())));
  EXPECT_EQ(ListRows(w.list()), std::vector<std::string>{"My\xef\xbf\xbdGrid"});
  f.dialogs.inputs = {FromUtf8("My\xef\xbf\xbdGrid")};
  ASSERT_TRUE(DoubleClickRow(w.list(), 0));
  gtk_test_widget_click(w.gadget(app::kGadgetOk), 1, GdkModifierType(0));
  PumpPending();
  EXPECT_EQ(ReadBytes(f.dir.File("UserList.INI")), "[USERGADGET]\nMy\xffGrid\n");
}

TEST_F(UserGadgetWindowTest, RefusedWhileARunIsActive) {
  f->app->run_active = true;
  app::DispatchCommand(*f->app, 4);
  EXPECT_FALSE(window().IsOpen());
  EXPECT_TRUE(f->app->main->Enabled());
  gtk_menu_item_activate(GTK_MENU_ITEM(f->app->main->menu_item(4)));
  EXPECT_FALSE(window().IsOpen());
  f->app->run_active = false;
}

}  // namespace
}  // namespace quillon::testing
