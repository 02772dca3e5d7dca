// The Search and Replace window driven as a user does, with the worker side
// of a real bind request (the run host's AskBindings on its own thread): the
// lists, the clicks, the question of "Continue" and the replies.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>

#include <atomic>
#include <thread>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "app/request_server.h"

namespace quillon::testing {
namespace {

using app::Answer;

// One bind request of the worker: opens the window and waits for its reply.
class BindSession {
 public:
  BindSession(AppFixture& f, int kind, Lines old_names, Lines new_names, std::vector<SuggestedBinding> suggested = {})
      : f_(f) {
    worker_ = std::thread([this, kind, old_names, new_names, suggested] {
      reply = f_.app->host.AskSuggestedBindings(kind, old_names, new_names, suggested);
      done = true;
    });
    opened = PumpUntil([this] { return window().IsOpen(); }) && WaitMapped(GTK_WIDGET(window().window()));
  }
  ~BindSession() {
    if (!done) app::ReplyBindRequest(*f_.app, 2);
    PumpUntil([this] { return done.load(); });
    worker_.join();
  }

  app::SearchReplaceWindow& window() { return f_.app->search_replace; }
  GtkTreeView* list(int gadget) { return window().list(gadget); }
  std::vector<std::string> Rows(int gadget) { return ListRows(list(gadget)); }
  void Click(int button) {
    gtk_test_widget_click(window().gadget(button), 1, GdkModifierType(0));
    PumpPending();
  }
  // Waits for the worker to get its reply and close the window.
  bool Finished() {
    return PumpUntil([this] { return done.load() && !window().IsOpen(); });
  }

  BindReply reply;
  std::atomic<bool> done{false};
  bool opened = false;

 private:
  AppFixture& f_;
  std::thread worker_;
};

TEST(BindWindowTest, OpensCentredAtFixedSizeWithTheListsAndTitleOfEachKind) {
  AppFixture f;
  const char* const words[] = {"Window", "MenuBar", "MenuItem", "StatusBar", "ToolBar", "Gadget"};
  for (int kind = 1; kind <= 6; ++kind) {
    BindSession s(f, kind, L({"A", "B"}), L({"C"}));
    ASSERT_TRUE(s.opened) << kind;
    EXPECT_EQ(gtk_window_get_title(s.window().window()), "Search and Replace - " + std::string(words[kind - 1]));
    EXPECT_FALSE(f.app->main->Enabled());
    EXPECT_EQ(gtk_window_get_transient_for(s.window().window()), f.app->main->window());
    EXPECT_TRUE(gtk_window_get_modal(s.window().window()));
    EXPECT_EQ(s.Rows(14), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(s.Rows(15), (std::vector<std::string>{"C"}));
    EXPECT_TRUE(s.Rows(16).empty());
    f.dialogs.three_way = {Answer::kCancel};  // old names left: the question, Cancel
    s.Click(app::kGadgetContinue);
    ASSERT_TRUE(s.Finished());
    EXPECT_TRUE(s.reply.cancelled);
    EXPECT_TRUE(f.app->main->Enabled());
  }
}

TEST(BindWindowTest, LayoutMatchesTheFixedPositions) {
  AppFixture f;
  BindSession s(f, 6, L({"A"}), L({"B"}));
  ASSERT_TRUE(s.opened);
  const struct {
    int gadget, x, y, w, h;
    const char* text;
  } layout[] = {
      {11, 10, 10, 130, 20, "Old Entry"}, {12, 220, 10, 120, 20, "New Entry"}, {13, 430, 10, 110, 20, "Todo List"},
      {14, 10, 30, 200, 320, nullptr},    {15, 220, 30, 200, 320, nullptr},    {16, 430, 30, 330, 320, nullptr},
      {17, 10, 360, 120, 30, "Bind"},     {18, 150, 360, 120, 30, "Release"},  {19, 640, 360, 120, 30, "Continue"}};
  for (const auto& l : layout) {
    const GtkAllocation a = Allocation(s.window().gadget(l.gadget));
    EXPECT_EQ(a.x, l.x) << l.gadget;
    EXPECT_EQ(a.y, l.y) << l.gadget;
    EXPECT_EQ(a.width, l.w) << l.gadget;
    EXPECT_EQ(a.height, l.h) << l.gadget;
    if (l.text) {
      EXPECT_EQ(LabelTexts(s.window().gadget(l.gadget)), std::vector<std::string>{l.text});
    }
  }
  int w = 0, h = 0;
  gtk_window_get_size(s.window().window(), &w, &h);
  EXPECT_EQ(w, 770);
  EXPECT_EQ(h, 400 + Allocation(s.window().intro()).height);  // the intro line grows it
  EXPECT_FALSE(gtk_window_get_resizable(s.window().window()));
  // Centred on the 1280 x 1024 screen of the test display.
  gint x = 0, y = 0;
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(s.window().window())), &x, &y);
  EXPECT_EQ(x, (gdk_screen_width() - 770) / 2);
  EXPECT_EQ(y, (gdk_screen_height() - h) / 2);
}

TEST(BindWindowTest, SuggestionsFollowTheOldSelectionAndBindSuggestedMovesTheRest) {
  AppFixture f;
  BindSession s(f, 6, L({"Old_A", "Old_B", "Old_C", "Gone"}), L({"New_C", "New_B", "New_A", "Added"}),
                {{"Old_A", "New_A"}, {"Old_B", "New_B"}, {"Old_C", "New_C"}});
  ASSERT_TRUE(s.opened);
  EXPECT_EQ(LabelTexts(s.window().intro()), std::vector<std::string>{app::kBindIntroText});
  const GtkAllocation button = Allocation(s.window().gadget(app::kGadgetBindSuggested));
  EXPECT_EQ(LabelTexts(s.window().gadget(app::kGadgetBindSuggested)), std::vector<std::string>{"Bind Suggested"});
  EXPECT_EQ(button.y, 360);

  // Selecting an old name selects its suggestion: Bind binds the pair, and
  // the next old name comes with its own, so Bind binds again. Bind and
  // Release are greyed out while they have nothing to act on.
  EXPECT_FALSE(gtk_widget_get_sensitive(s.window().gadget(app::kGadgetBind)));
  ASSERT_TRUE(ClickRow(s.list(14), 0));
  EXPECT_EQ(SelectedRowCount(s.list(15)), 1);
  s.Click(app::kGadgetBind);
  EXPECT_EQ(SelectedRowCount(s.list(15)), 1);
  s.Click(app::kGadgetBind);
  EXPECT_EQ(s.Rows(16), (std::vector<std::string>{"Old_A > New_A", "Old_B > New_B"}));
  EXPECT_FALSE(gtk_widget_get_sensitive(s.window().gadget(app::kGadgetRelease)));

  // A released pair goes back to its places in the lists and is suggested
  // again; Bind Suggested takes the old list from top to bottom.
  ASSERT_TRUE(DoubleClickRow(s.list(16), 1));
  ASSERT_TRUE(DoubleClickRow(s.list(16), 0));
  EXPECT_EQ(s.Rows(14), (std::vector<std::string>{"Old_A", "Old_B", "Old_C", "Gone"}));
  s.Click(app::kGadgetBindSuggested);
  EXPECT_EQ(s.Rows(16), (std::vector<std::string>{"Old_A > New_A", "Old_B > New_B", "Old_C > New_C"}));
  EXPECT_EQ(s.Rows(14), std::vector<std::string>{"Gone"});
  EXPECT_EQ(s.Rows(15), std::vector<std::string>{"Added"});
  // Released and bound by hand, a pair is no longer one the run logs as suggested.
  ASSERT_TRUE(DoubleClickRow(s.list(16), 2));
  ASSERT_TRUE(ClickRow(s.list(14), 0));
  s.Click(app::kGadgetBind);

  f.dialogs.three_way = {Answer::kYes};  // "Gone" stays unbound
  s.Click(app::kGadgetContinue);
  ASSERT_TRUE(s.Finished());
  EXPECT_FALSE(s.reply.cancelled);
  EXPECT_EQ(s.reply.todo, L({"Old_A > New_A", "Old_B > New_B", "Old_C > New_C"}));
  EXPECT_EQ(s.reply.suggested, L({"Old_A > New_A", "Old_B > New_B"}));
}

TEST(BindWindowTest, SingleClicksOnlySelectDoubleClicksBindAndRelease) {
  AppFixture f;
  BindSession s(f, 6, L({"A_x", "A_y", "A_z"}), L({"B_x", "B_y"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(14), 1));
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  EXPECT_EQ(SelectedRowCount(s.list(14)), 1);
  EXPECT_TRUE(s.Rows(16).empty());  // selecting binds nothing

  // A double click in the old list binds with the new list's selection.
  ASSERT_TRUE(DoubleClickRow(s.list(14), 1));
  EXPECT_EQ(s.Rows(16), std::vector<std::string>{"A_y > B_x"});
  EXPECT_EQ(s.Rows(14), (std::vector<std::string>{"A_x", "A_z"}));
  EXPECT_EQ(s.Rows(15), std::vector<std::string>{"B_y"});

  // The next unbound old name is selected at once, so a double click in the
  // new list binds the next pair.
  EXPECT_EQ(SelectedRowCount(s.list(14)), 1);
  ASSERT_TRUE(DoubleClickRow(s.list(15), 0));
  EXPECT_EQ(s.Rows(16), (std::vector<std::string>{"A_y > B_x", "A_z > B_y"}));
  EXPECT_EQ(s.Rows(14), std::vector<std::string>{"A_x"});
  EXPECT_TRUE(s.Rows(15).empty());

  // A single click in the todo list selects; a double click releases: both
  // names go back to their places in list order.
  ASSERT_TRUE(ClickRow(s.list(16), 0));
  EXPECT_EQ(s.Rows(16).size(), 2u);
  ASSERT_TRUE(DoubleClickRow(s.list(16), 0));
  EXPECT_EQ(s.Rows(16), std::vector<std::string>{"A_z > B_y"});
  EXPECT_EQ(s.Rows(14), (std::vector<std::string>{"A_x", "A_y"}));
  EXPECT_EQ(s.Rows(15), std::vector<std::string>{"B_x"});
  EXPECT_FALSE(s.done.load());  // the worker still waits

  // Buttons: Release without a selection does nothing; Bind needs both.
  s.Click(app::kGadgetRelease);
  EXPECT_EQ(s.Rows(16).size(), 1u);
  ASSERT_TRUE(ClickRow(s.list(14), 0));
  s.Click(app::kGadgetBind);
  EXPECT_EQ(s.Rows(16).size(), 1u);
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  s.Click(app::kGadgetBind);
  EXPECT_EQ(s.Rows(16), (std::vector<std::string>{"A_z > B_y", "A_x > B_x"}));
  ASSERT_TRUE(ClickRow(s.list(16), 0));
  s.Click(app::kGadgetRelease);
  EXPECT_EQ(s.Rows(16), std::vector<std::string>{"A_x > B_x"});

  // One old name (A_y) stays unbound: Continue asks, Yes continues with the
  // todo list as it stands.
  ASSERT_TRUE(ClickRow(s.list(14), 0));  // A_y
  s.Click(app::kGadgetBind);             // no new name selected: nothing
  f.dialogs.three_way = {Answer::kYes};
  s.Click(app::kGadgetContinue);
  ASSERT_TRUE(s.Finished());
  EXPECT_FALSE(s.reply.cancelled);
  EXPECT_EQ(s.reply.todo, L({"A_x > B_x"}));
  EXPECT_EQ(f.dialogs.questions, std::vector<std::string>{"Info: Some old constants not to bind! Continue?"});
}

TEST(BindWindowTest, AnEqualTodoEntryBlocksASecondBind) {
  AppFixture f;
  // A saved list may name a constant twice.
  BindSession s(f, 3, L({"M", "M"}), L({"N", "N"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  ASSERT_TRUE(DoubleClickRow(s.list(14), 0));
  EXPECT_EQ(s.Rows(16), std::vector<std::string>{"M > N"});
  ASSERT_TRUE(ClickRow(s.list(14), 0));
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  s.Click(app::kGadgetBind);
  EXPECT_EQ(s.Rows(16), std::vector<std::string>{"M > N"});
  EXPECT_EQ(s.Rows(14), std::vector<std::string>{"M"});
  EXPECT_EQ(s.Rows(15), std::vector<std::string>{"N"});
  f.dialogs.three_way = {Answer::kYes};
  s.Click(app::kGadgetContinue);
  ASSERT_TRUE(s.Finished());
  EXPECT_EQ(s.reply.todo, L({"M > N"}));
}

TEST(BindWindowTest, ContinueWithNoOldNameLeftRepliesWithoutAsking) {
  AppFixture f;
  BindSession s(f, 1, L({"WinMain"}), L({"WinStart", "WinOther"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  ASSERT_TRUE(DoubleClickRow(s.list(14), 0));
  s.Click(app::kGadgetContinue);  // an unscripted question would fail the test
  ASSERT_TRUE(s.Finished());
  EXPECT_FALSE(s.reply.cancelled);
  EXPECT_EQ(s.reply.todo, L({"WinMain > WinStart"}));
  EXPECT_TRUE(f.dialogs.questions.empty());
}

TEST(BindWindowTest, NoKeepsTheWindowOpenCancelCancels) {
  AppFixture f;
  BindSession s(f, 4, L({"S1", "S2"}), L({"T1"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  ASSERT_TRUE(DoubleClickRow(s.list(14), 0));
  f.dialogs.three_way = {Answer::kNo};
  s.Click(app::kGadgetContinue);
  for (int i = 0; i < 5; ++i) g_main_context_iteration(nullptr, FALSE);
  EXPECT_FALSE(s.done.load());
  EXPECT_TRUE(s.window().IsOpen());
  EXPECT_FALSE(f.app->main->Enabled());
  // Still usable after No.
  ASSERT_TRUE(DoubleClickRow(s.list(16), 0));
  EXPECT_EQ(s.Rows(14), (std::vector<std::string>{"S1", "S2"}));
  f.dialogs.three_way = {Answer::kCancel};
  s.Click(app::kGadgetContinue);
  ASSERT_TRUE(s.Finished());
  EXPECT_TRUE(s.reply.cancelled);
  EXPECT_TRUE(s.reply.todo.empty());
  EXPECT_EQ(f.dialogs.questions.size(), 2u);
  EXPECT_TRUE(f.app->main->Enabled());
}

TEST(BindWindowTest, CloseBoxCancelsAndTheWindowWaitsForTheWorkersClose) {
  AppFixture f;
  BindSession s(f, 2, L({"Bar1"}), L({"Bar2"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  ASSERT_TRUE(DoubleClickRow(s.list(14), 0));
  // A bound pair would be lost: the close box asks first, No keeps binding.
  f.dialogs.answers = {false, true};
  SendCloseBox(s.window().window());
  for (int i = 0; i < 5; ++i) g_main_context_iteration(nullptr, FALSE);
  EXPECT_FALSE(s.done.load());
  EXPECT_EQ(s.Rows(16), std::vector<std::string>{"Bar1 > Bar2"});
  SendCloseBox(s.window().window());
  EXPECT_EQ(f.dialogs.questions.size(), 2u);
  // Replied, but open until the worker's close request has been served.
  EXPECT_TRUE(s.window().IsOpen());
  SendCloseBox(s.window().window());  // a second press has nothing to answer
  ASSERT_TRUE(s.Finished());
  EXPECT_TRUE(s.reply.cancelled);
  EXPECT_TRUE(s.reply.todo.empty());
  EXPECT_TRUE(f.app->main->Enabled());
}

TEST(BindWindowTest, TheWorkerGetsTheTodoListOfTheMomentOfTheReply) {
  AppFixture f;
  BindSession s(f, 6, L({"G1"}), L({"H1"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(14), 0));
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  s.window().HandleGadget(app::kGadgetBind, app::kEventClick);
  s.window().HandleGadget(app::kGadgetContinue, app::kEventClick);  // replies
  // The window is still there until request 1027: a release now must not
  // reach the worker.
  ASSERT_TRUE(s.window().IsOpen());
  ASSERT_TRUE(ClickRow(s.list(16), 0));
  s.window().HandleGadget(app::kGadgetRelease, app::kEventClick);
  ASSERT_TRUE(s.Finished());
  EXPECT_EQ(s.reply.todo, L({"G1 > H1"}));
}

TEST(BindWindowTest, ClosingItKeepsALicenceWindowsMainWindowDisabled) {
  AppFixture f;
  app::DispatchCommand(*f.app, 11);  // possible during a run: the main window is enabled then
  ASSERT_TRUE(f.app->licence_window);
  {
    BindSession s(f, 1, L({"Old"}), L({"New"}));
    ASSERT_TRUE(s.opened);
    SendCloseBox(s.window().window());
    ASSERT_TRUE(s.Finished());
    EXPECT_FALSE(f.app->main->Enabled());  // the licence window is still open
  }
  SendCloseBox(f.app->licence_window->window());
  EXPECT_TRUE(f.app->main->Enabled());
}

// The text of the selected row, "" when none.
std::string SelectedText(GtkTreeView* view) {
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(view), &model, &iter)) return "";
  gchar* text = nullptr;
  gtk_tree_model_get(model, &iter, 0, &text, -1);
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

// The text of the tooltip window on screen, "" when none is shown.
std::string ShownTooltip() {
  std::string text;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w; w = w->next) {
    GtkWidget* widget = GTK_WIDGET(w->data);
    if (std::string(gtk_widget_get_name(widget)) != "gtk-tooltip" || !gtk_widget_get_mapped(widget)) continue;
    const std::vector<std::string> labels = LabelTexts(widget);
    if (!labels.empty()) text = labels[0];
  }
  g_list_free(windows);
  return text;
}

TEST(BindWindowTest, LongNamesAreShortenedToTheListAndShownWholeInTheTooltip) {
  AppFixture f;
  const std::string long_name = "WinMain_" + std::string(60, 'x') + "_Button_Save";
  BindSession s(f, 6, L({long_name, "Short"}), L({"New"}));
  ASSERT_TRUE(s.opened);
  GtkTreeView* view = s.list(14);
  PumpPending();
  // The row ends inside the visible part of the list: nothing is hidden
  // behind the frame's edge.
  GdkRectangle visible;
  gtk_tree_view_get_visible_rect(view, &visible);
  GtkTreePath* first = gtk_tree_path_new_from_indices(0, -1);
  GdkRectangle cell;
  gtk_tree_view_get_cell_area(view, first, gtk_tree_view_get_column(view, 0), &cell);
  EXPECT_GT(cell.width, 0);
  EXPECT_LE(cell.x + cell.width, visible.width);
  // The keyboard's tooltip key (Ctrl+F1) on that row shows the whole name.
  gtk_tree_view_set_cursor(view, first, nullptr, FALSE);
  gtk_tree_path_free(first);
  gtk_widget_grab_focus(GTK_WIDGET(view));
  gtk_test_widget_send_key(GTK_WIDGET(view), GDK_F1, GDK_CONTROL_MASK);
  std::string shown;
  EXPECT_TRUE(PumpUntil([&] {
    shown = ShownTooltip();
    return !shown.empty();
  }));
  EXPECT_EQ(shown, long_name);
}

TEST(BindWindowTest, EscapeCancelsTheRunAsTheCloseBoxDoesAndTheWindowSaysSo) {
  AppFixture f;
  BindSession s(f, 2, L({"Bar1"}), L({"Bar2"}));
  ASSERT_TRUE(s.opened);
  EXPECT_EQ(LabelTexts(s.window().close_hint()),
            std::vector<std::string>{"Escape or closing this window cancels the run."});
  gtk_test_widget_send_key(GTK_WIDGET(s.list(14)), GDK_Escape, GdkModifierType(0));
  ASSERT_TRUE(s.Finished());
  EXPECT_TRUE(s.reply.cancelled);
  EXPECT_TRUE(f.app->main->Enabled());
}

TEST(BindWindowTest, BindSelectsTheNextOldNameAndReleaseRestoresListOrder) {
  AppFixture f;
  BindSession s(f, 6, L({"A_1", "A_2", "A_3"}), L({"B_1", "B_2", "B_3"}));
  ASSERT_TRUE(s.opened);
  ASSERT_TRUE(ClickRow(s.list(14), 0));
  ASSERT_TRUE(ClickRow(s.list(15), 0));
  s.Click(app::kGadgetBind);
  EXPECT_EQ(SelectedText(s.list(14)), "A_2");
  ASSERT_TRUE(ClickRow(s.list(15), 0));  // B_2: the next pair needs one click
  s.Click(app::kGadgetBind);
  EXPECT_EQ(s.Rows(16), (std::vector<std::string>{"A_1 > B_1", "A_2 > B_2"}));
  EXPECT_EQ(SelectedText(s.list(14)), "A_3");
  ASSERT_TRUE(ClickRow(s.list(16), 0));
  s.Click(app::kGadgetRelease);
  EXPECT_EQ(s.Rows(14), (std::vector<std::string>{"A_1", "A_3"}));
  EXPECT_EQ(s.Rows(15), (std::vector<std::string>{"B_1", "B_3"}));
}

// Keys on the lists, each sequence after binding A_1 > B_1: Delete, keypad
// Delete and BackSpace release the selected todo row; Return on an old name
// binds only with a new name selected.
TEST(BindWindowTest, KeysOnTheListsReleaseAndBindOnlyWhatIsSelected) {
  AppFixture f;
  const struct {
    std::vector<std::pair<int, int>> clicks;  // list, row; the last list gets the key
    guint key;
    size_t todo;
  } sequences[] = {{{{16, 0}}, GDK_Delete, 0},
                   {{{16, 0}}, GDK_KP_Delete, 0},
                   {{{16, 0}}, GDK_BackSpace, 0},
                   {{{14, 0}}, GDK_Return, 1},
                   {{{15, 0}, {14, 0}}, GDK_Return, 2}};
  for (const auto& q : sequences) {
    BindSession s(f, 6, L({"A_1", "A_2"}), L({"B_1", "B_2"}));
    ASSERT_TRUE(s.opened && ClickRow(s.list(14), 0) && ClickRow(s.list(15), 0));
    s.Click(app::kGadgetBind);
    for (const auto& [list, row] : q.clicks) ASSERT_TRUE(ClickRow(s.list(list), row));
    GtkWidget* view = GTK_WIDGET(s.list(q.clicks.back().first));
    gtk_widget_grab_focus(view);
    gtk_test_widget_send_key(view, q.key, GdkModifierType(0));
    PumpPending();
    EXPECT_EQ(s.Rows(16).size(), q.todo) << q.key;
  }
}

}  // namespace
}  // namespace quillon::testing
