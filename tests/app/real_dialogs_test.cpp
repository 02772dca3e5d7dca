// The real GTK dialogs answered by a responder (or a key pressed in them):
// the save prompt of Exit, the file error boxes, the question of "Continue"
// and the input boxes of the User gadget window, with exact titles and texts.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>

#include <atomic>
#include <thread>

#include "app/command_table.h"
#include "app/gtk_dialog_service.h"
#include "app/gui_support.h"
#include "io/file_io.h"
#include "project/project_file.h"
#include "project/user_gadget_file.h"

namespace quillon::testing {
namespace {

const std::string kContinueText = "Some old constants not to bind! Continue?";

struct RealApp {
  explicit RealApp(const std::string& user_list = "") {
    if (!user_list.empty()) WriteBytes(dir.File("UserList.INI"), user_list);
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
  EXPECT_EQ(responder.button_count(), 3);  // Yes, No and Cancel
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

// Escape, its close box and its Cancel button keep the program running;
// Yes is the default button, so Return saves before the exit.
TEST(RealDialogsTest, ExitQuestionEscapeCloseBoxAndCancelKeepTheProgramRunningReturnSaves) {
  RealApp r;
  r.ws.project.files = L({"/x/a.pb"});
  r.ws.project.saved = false;
  {
    auto escape = DialogResponder::PressingKey("Frage", "Aktuelles Projekt speichern?", GDK_Escape);
    app::DispatchCommand(*r.app, 5);
    EXPECT_EQ(escape->answered(), 1);
  }
  EXPECT_FALSE(r.app->exit_requested);
  for (const int response : {GTK_RESPONSE_DELETE_EVENT, GTK_RESPONSE_CANCEL}) {
    DialogResponder close_box("Frage", "Aktuelles Projekt speichern?", response);
    app::DispatchClose(*r.app, app::kWindowMain);
    EXPECT_EQ(close_box.answered(), 1);
  }
  EXPECT_FALSE(r.app->exit_requested);
  EXPECT_FALSE(r.ws.project.saved);
  EXPECT_EQ(r.ws.project.files, L({"/x/a.pb"}));
  // The title says there is something to save.
  EXPECT_EQ(gtk_window_get_title(r.app->main->window())[0], '*');
  r.ws.project.project_path = FromUtf8(r.dir.File("p.pbm"));
  r.ws.project.has_name = true;
  auto enter = DialogResponder::PressingKey("Frage", "Aktuelles Projekt speichern?", GDK_Return);
  app::DispatchCommand(*r.app, 5);
  EXPECT_TRUE(r.app->exit_requested);
  EXPECT_NE(ReadBytes(r.dir.File("p.pbm")).find("/x/a.pb\n"), std::string::npos);
}

TEST(RealDialogsTest, FailedLoadShowsTheProjectErrorBox) {
  RealApp r;
  const std::string missing = r.dir.File("missing.pbm");
  DialogResponder box("UserGadgetList", "Error open file project\n" + missing + ": No such file or directory",
                      GTK_RESPONSE_OK);
  EXPECT_FALSE(LoadProject(r.ws, FromUtf8(missing), r.app->reporter));
  EXPECT_EQ(box.answered(), 1);
  EXPECT_EQ(box.message_type(), GTK_MESSAGE_ERROR);
}

// The file error boxes name the file and the system's reason under the
// message, with the error icon; the user list's save message is spelled right.
TEST(RealDialogsTest, FileErrorBoxesNameThePathAndTheReason) {
  RealApp r;
  r.ws.project.files = L({"/x/a.pb"});
  ASSERT_TRUE(MakeDirectory(r.dir.File("folder.pbm"), 0755));
  const std::string folder = r.dir.File("folder.pbm");
  {
    DialogResponder box("UserGadgetList", "Error save file project\n" + folder + ": Is a directory", GTK_RESPONSE_OK);
    EXPECT_FALSE(SaveProject(r.ws, FromUtf8(folder), false, r.app->reporter));
    EXPECT_EQ(box.answered(), 1);
    EXPECT_EQ(box.message_type(), GTK_MESSAGE_ERROR);
  }
  {
    DialogResponder box("Save UserGadget", "Error save file usergadget\n" + folder + ": Is a directory",
                        GTK_RESPONSE_OK);
    EXPECT_FALSE(SaveUserGadgets(folder, L({"MyGrid"}), r.app->reporter));
    EXPECT_EQ(box.answered(), 1);
    EXPECT_EQ(box.message_type(), GTK_MESSAGE_ERROR);
  }
}

// The Continue question keeps its text, says under it what each answer does,
// and Return answers No: the window stays open for more binding.
TEST(RealDialogsTest, ContinueQuestionExplainsTheAnswersAndReturnMeansNo) {
  RealApp r;
  std::atomic<bool> done{false};
  BindReply reply;
  std::thread worker([&] {
    reply = r.app->host.AskBindings(6, L({"Old_a", "Old_b"}), L({"New_a"}));
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return r.app->search_replace.IsOpen(); }));
  app::SearchReplaceWindow& w = r.app->search_replace;
  {
    auto enter = DialogResponder::PressingKey("Info", "Some old constants not to bind! Continue?", GDK_Return);
    w.HandleGadget(app::kGadgetContinue, app::kEventClick);
    EXPECT_EQ(enter->answered(), 1);
    EXPECT_NE(enter->secondary_text().find("Yes:"), std::string::npos);
    EXPECT_NE(enter->secondary_text().find("No:"), std::string::npos);
    EXPECT_NE(enter->secondary_text().find("Cancel:"), std::string::npos);
  }
  for (int i = 0; i < 5; ++i) g_main_context_iteration(nullptr, FALSE);
  EXPECT_FALSE(done.load());
  EXPECT_TRUE(w.IsOpen());
  SendCloseBox(w.window());
  ASSERT_TRUE(PumpUntil([&] { return done.load() && !w.IsOpen(); }));
  worker.join();
  EXPECT_TRUE(reply.cancelled);
}

// No, Escape and the close box of the Continue question all keep binding;
// only its Cancel button cancels the run.
TEST(RealDialogsTest, ContinueQuestionNoOrClosingKeepsTheWindowYesContinuesCancelCancels) {
  RealApp r;
  for (const bool cancel : {false, true}) {
    std::atomic<bool> done{false};
    BindReply reply;
    std::thread worker([&] {
      reply = r.app->host.AskBindings(5, L({"Bar_Old", "Bar_Gone"}), L({"Bar_New"}));
      done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return r.app->search_replace.IsOpen(); }));
    app::SearchReplaceWindow& w = r.app->search_replace;
    for (const int response : {int{GTK_RESPONSE_NO}, int{GTK_RESPONSE_DELETE_EVENT}, 0}) {
      auto answer = response ? std::make_unique<DialogResponder>("Info", kContinueText, response)
                             : DialogResponder::PressingKey("Info", kContinueText, GDK_Escape);
      w.HandleGadget(app::kGadgetContinue, app::kEventClick);  // returns once answered
      EXPECT_EQ(answer->answered(), 1);
      for (int i = 0; i < 5; ++i) g_main_context_iteration(nullptr, FALSE);
      EXPECT_FALSE(done.load()) << response;
      EXPECT_TRUE(w.IsOpen()) << response;
    }
    {
      DialogResponder last("Info", kContinueText, cancel ? GTK_RESPONSE_CANCEL : GTK_RESPONSE_YES);
      w.HandleGadget(app::kGadgetContinue, app::kEventClick);
      EXPECT_EQ(last.answered(), 1);
    }
    ASSERT_TRUE(PumpUntil([&] { return done.load() && !w.IsOpen(); }));
    worker.join();
    EXPECT_EQ(reply.cancelled, cancel);
  }
}

// Types into the first mapped input box with this title, then presses Enter
// in its entry; records the text the box started with. A box still open two
// seconds after Enter is closed (an empty answer), so the test fails instead
// of hanging.
class InputTyper {
 public:
  InputTyper(std::string title, std::string text) : title_(std::move(title)), text_(std::move(text)) {
    source_ = g_timeout_add(10, &InputTyper::Tick, this);
  }
  ~InputTyper() {
    g_source_remove(source_);
    if (typed_box_) g_object_unref(typed_box_);
  }
  int typed = 0;
  std::string preset;

 private:
  static GtkWidget* FindEntry(GtkWidget* widget) {
    if (GTK_IS_ENTRY(widget)) return widget;
    GtkWidget* found = nullptr;
    if (GTK_IS_CONTAINER(widget)) {
      GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
      for (GList* c = children; c && !found; c = c->next) found = FindEntry(GTK_WIDGET(c->data));
      g_list_free(children);
    }
    return found;
  }
  static gboolean Tick(gpointer data) {
    auto* self = static_cast<InputTyper*>(data);
    if (self->typed_box_) {
      if (gtk_widget_get_mapped(self->typed_box_) && ++self->ticks_after_enter_ == 200) {
        ADD_FAILURE() << "Enter did not close the input box";
        gtk_dialog_response(GTK_DIALOG(self->typed_box_), GTK_RESPONSE_DELETE_EVENT);
      }
      return TRUE;
    }
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next) {
      GtkWidget* widget = GTK_WIDGET(w->data);
      const char* title = gtk_window_get_title(GTK_WINDOW(widget));
      if (!GTK_IS_DIALOG(widget) || !gtk_widget_get_mapped(widget) || !title || self->title_ != title) continue;
      if (g_object_get_data(G_OBJECT(widget), "typed")) continue;
      GtkWidget* entry = FindEntry(widget);
      if (!entry) continue;
      g_object_set_data(G_OBJECT(widget), "typed", GINT_TO_POINTER(1));
      self->preset = gtk_entry_get_text(GTK_ENTRY(entry));
      gtk_entry_set_text(GTK_ENTRY(entry), self->text_.c_str());
      gtk_widget_grab_focus(entry);
      ++self->typed;
      self->typed_box_ = GTK_WIDGET(g_object_ref(widget));
      gtk_test_widget_send_key(entry, GDK_Return, GdkModifierType(0));
      break;
    }
    g_list_free(windows);
    return TRUE;
  }
  std::string title_;
  std::string text_;
  guint source_ = 0;
  GtkWidget* typed_box_ = nullptr;
  int ticks_after_enter_ = 0;
};

TEST(RealDialogsTest, InputBoxEnterConfirmsClosingGivesAnEmptyAnswer) {
  RealApp r("[USERGADGET]\nMyGrid\n");
  app::DispatchCommand(*r.app, 4);
  app::UserGadgetWindow& w = r.app->user_gadget;
  ASSERT_TRUE(w.IsOpen());
  {
    InputTyper typer("Add Gadget", "MyChart");
    w.HandleGadget(app::kGadgetAdd, app::kEventClick);
    EXPECT_EQ(typer.typed, 1);
    EXPECT_EQ(typer.preset, "");
  }
  EXPECT_EQ(ListRows(w.list()), (std::vector<std::string>{"MyGrid", "MyChart"}));
  ASSERT_TRUE(WaitMapped(GTK_WIDGET(w.list())));
  {
    DialogResponder close_box("Edit Gadget", "", GTK_RESPONSE_DELETE_EVENT);
    ASSERT_TRUE(DoubleClickRow(w.list(), 0));
    EXPECT_EQ(close_box.answered(), 1);
  }
  {
    InputTyper typer("Edit Gadget", "MyTable");
    ASSERT_TRUE(DoubleClickRow(w.list(), 1));
    EXPECT_EQ(typer.typed, 1);
    EXPECT_EQ(typer.preset, "MyChart");
  }
  EXPECT_EQ(ListRows(w.list()), (std::vector<std::string>{"MyGrid", "MyTable"}));
  w.HandleGadget(app::kGadgetOk, app::kEventClick);
  EXPECT_EQ(ReadBytes(r.dir.File("UserList.INI")), "[USERGADGET]\nMyGrid\nMyTable\n");
}

}  // namespace
}  // namespace quillon::testing
