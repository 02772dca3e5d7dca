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
#include "app/request_server.h"
#include "io/file_io.h"
#include "project/project_file.h"
#include "project/user_gadget_file.h"

namespace quillon::testing {
namespace {

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

TEST(RealDialogsTest, EscapeOrTheCloseBoxInTheExitQuestionKeepsTheProgramRunning) {
  RealApp r;
  r.ws.project.files = L({"/x/a.pb"});
  r.ws.project.saved = false;
  {
    auto escape = DialogResponder::PressingKey("Frage", "Aktuelles Projekt speichern?", GDK_Escape);
    app::DispatchCommand(*r.app, 5);
    EXPECT_EQ(escape->answered(), 1);
  }
  EXPECT_FALSE(r.app->exit_requested);
  {
    DialogResponder close_box("Frage", "Aktuelles Projekt speichern?", GTK_RESPONSE_DELETE_EVENT);
    app::DispatchClose(*r.app, app::kWindowMain);
    EXPECT_EQ(close_box.answered(), 1);
  }
  EXPECT_FALSE(r.app->exit_requested);
  EXPECT_FALSE(r.ws.project.saved);
  EXPECT_EQ(r.ws.project.files, L({"/x/a.pb"}));
  // The title says there is something to save.
  EXPECT_EQ(gtk_window_get_title(r.app->main->window())[0], '*');
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

// One bind request of the worker against the real dialogs, with the pair
// Bar_Old > Bar_New bound.
struct RealBindSession {
  explicit RealBindSession(RealApp& r) : app(*r.app) {
    worker = std::thread([this] {
      reply = app.host.AskBindings(5, L({"Bar_Old", "Bar_Gone"}), L({"Bar_New"}));
      done = true;
    });
    opened = PumpUntil([this] { return app.search_replace.IsOpen(); }) && WaitMapped(GTK_WIDGET(window().window()));
    if (!opened) return;
    ClickRow(window().list(app::kGadgetOldList), 0);
    ClickRow(window().list(app::kGadgetNewList), 0);
    window().HandleGadget(app::kGadgetBind, app::kEventClick);
  }
  ~RealBindSession() {
    if (!done) app::ReplyBindRequest(app, 2);
    PumpUntil([this] { return done.load(); });
    worker.join();
  }
  app::SearchReplaceWindow& window() { return app.search_replace; }
  // The worker still waits and the pair is still there.
  bool StillBinding() {
    for (int i = 0; i < 5; ++i) g_main_context_iteration(nullptr, FALSE);
    return !done.load() && window().IsOpen() && ListRows(window().list(app::kGadgetTodoList)).size() == 1;
  }
  bool Finished() {
    return PumpUntil([this] { return done.load() && !window().IsOpen(); });
  }

  app::App& app;
  std::thread worker;
  std::atomic<bool> done{false};
  bool opened = false;
  BindReply reply;
};

// How a question box is answered: a response, or a key pressed in it.
struct Answering {
  int response;
  guint key;
};

std::unique_ptr<DialogResponder> Respond(const std::string& title, const std::string& text, const Answering& a) {
  if (a.key) return DialogResponder::PressingKey(title, text, a.key);
  return std::make_unique<DialogResponder>(title, text, a.response);
}

// Only the Cancel button of the question cancels the run: No, Return,
// Escape and the close box go back to binding with the pairs kept.
TEST(RealDialogsTest, ContinueQuestionOnlyItsCancelButtonCancelsTheRun) {
  RealApp r;
  const std::string question = "Some old constants not to bind! Continue?";
  for (const int last : {GTK_RESPONSE_YES, GTK_RESPONSE_CANCEL}) {
    RealBindSession s(r);
    ASSERT_TRUE(s.opened);
    for (const Answering& a : {Answering{GTK_RESPONSE_NO, 0}, Answering{0, GDK_Return}, Answering{0, GDK_Escape},
                               Answering{GTK_RESPONSE_DELETE_EVENT, 0}}) {
      auto responder = Respond("Info", question, a);
      s.window().HandleGadget(app::kGadgetContinue, app::kEventClick);  // returns once answered
      EXPECT_EQ(responder->answered(), 1) << a.response << " " << a.key;
      EXPECT_TRUE(s.StillBinding()) << a.response << " " << a.key;
    }
    DialogResponder answer("Info", question, last);
    s.window().HandleGadget(app::kGadgetContinue, app::kEventClick);
    ASSERT_TRUE(s.Finished());
    EXPECT_EQ(s.reply.cancelled, last == GTK_RESPONSE_CANCEL);
    EXPECT_EQ(s.reply.todo, last == GTK_RESPONSE_CANCEL ? Lines() : L({"Bar_Old > Bar_New"}));
  }
}

// With a pair bound, closing the window (close box or Escape) asks before it
// cancels the run; Return, Escape and closing that question keep binding.
TEST(RealDialogsTest, ClosingTheBindWindowWithPairsAsksFirst) {
  RealApp r;
  RealBindSession s(r);
  ASSERT_TRUE(s.opened);
  const std::string title = ToUtf8(Text(app::kCancelRunTitle));
  const std::string text = ToUtf8(Text(app::kCancelRunText));
  for (const Answering& a : {Answering{0, GDK_Return}, Answering{0, GDK_Escape},
                             Answering{GTK_RESPONSE_DELETE_EVENT, 0}, Answering{GTK_RESPONSE_NO, 0}}) {
    for (const bool escape : {false, true}) {
      auto responder = Respond(title, text, a);
      if (escape) {
        gtk_test_widget_send_key(GTK_WIDGET(s.window().list(app::kGadgetOldList)), GDK_Escape, GdkModifierType(0));
      } else {
        SendCloseBox(s.window().window());
      }
      // A key travels through the X server: wait for the question.
      EXPECT_TRUE(PumpUntil([&] { return responder->answered() == 1; })) << a.response << " " << a.key;
      EXPECT_TRUE(s.StillBinding()) << a.response << " " << a.key;
    }
  }
  DialogResponder yes(title, text, GTK_RESPONSE_YES);
  SendCloseBox(s.window().window());
  ASSERT_TRUE(s.Finished());
  EXPECT_TRUE(s.reply.cancelled);
  EXPECT_EQ(yes.buttons(), (std::vector<std::string>{"No", "Yes"}));
}

// The save question: Yes is the default button (Return saves), a Cancel
// button abandons the command as Escape does, and the title is "Frage".
TEST(RealDialogsTest, SaveQuestionReturnSavesAndItsCancelButtonKeepsTheProgramRunning) {
  RealApp r;
  const std::string project = r.dir.File("p.pbm");
  r.ws.project.files = L({"/x/a.pb"});
  r.ws.project.project_path = FromUtf8(project);
  r.ws.project.has_name = true;
  r.ws.project.saved = false;
  {
    DialogResponder cancel("Frage", "Aktuelles Projekt speichern?", GTK_RESPONSE_CANCEL);
    app::DispatchCommand(*r.app, 5);
    EXPECT_EQ(cancel.answered(), 1);
    EXPECT_EQ(cancel.buttons(), (std::vector<std::string>{"Cancel", "No", "Yes"}));
  }
  EXPECT_FALSE(r.app->exit_requested);
  EXPECT_FALSE(FileExists(project));
  auto enter = DialogResponder::PressingKey("Frage", "Aktuelles Projekt speichern?", GDK_Return);
  app::DispatchClose(*r.app, app::kWindowMain);
  EXPECT_EQ(enter->answered(), 1);
  EXPECT_TRUE(r.app->exit_requested);
  EXPECT_NE(ReadBytes(project).find("/x/a.pb\n"), std::string::npos);
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
