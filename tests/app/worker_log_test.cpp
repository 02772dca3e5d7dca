// Worker requests and the log list: every line arrives in order, the last is
// visible and none stays selected, also while a modal box is open; requests
// are served in posting order; a shutdown releases a waiting worker.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/gtk_dialog_service.h"
#include "app/gui_support.h"
#include "app/request_server.h"

namespace quillon::testing {
namespace {

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

bool LastRowVisible(GtkTreeView* view, int rows) {
  GtkTreePath* start = nullptr;
  GtkTreePath* end = nullptr;
  if (!gtk_tree_view_get_visible_range(view, &start, &end)) return false;
  const int last = gtk_tree_path_get_indices(end)[0];
  gtk_tree_path_free(start);
  gtk_tree_path_free(end);
  return last == rows - 1;
}

void ExpectLog(AppFixture& f, const std::vector<std::string>& expected) {
  GtkTreeView* log = f.app->main->log_view();
  EXPECT_EQ(ListRows(log), expected);
  EXPECT_TRUE(PumpUntil([&] { return LastRowVisible(log, static_cast<int>(expected.size())); }))
      << "last line not scrolled into view";
  EXPECT_EQ(SelectedRowCount(log), 0);
}

TEST(WorkerLogTest, ThousandLinesArriveInOrderLastVisibleNoneSelected) {
  AppFixture f;
  const std::vector<std::string> lines = Numbered(1000);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (const std::string& line : lines) f.app->host.AddLogLine(FromUtf8(line));
    f.app->host.AddLogLine(Text());  // an empty line is a visible item too
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }, 30000));
  worker.join();
  std::vector<std::string> expected = lines;
  expected.push_back("");
  ExpectLog(f, expected);
}

TEST(WorkerLogTest, LinesAreServedWhileARealMessageBoxIsOpen) {
  AppFixture f;
  const std::vector<std::string> lines = Numbered(1000);
  std::atomic<bool> done{false};
  app::GtkDialogService real;
  real.SetParent(f.app->main->window());
  DialogResponder responder("Info", "waiting", GTK_RESPONSE_OK);
  responder.ready = [&] { return done.load(); };  // close the box only after the last line
  std::thread worker([&] {
    for (const std::string& line : lines) f.app->host.AddLogLine(FromUtf8(line));
    done = true;
  });
  real.ShowMessage(T("Info"), T("waiting"));  // nested loop until the responder answers
  worker.join();
  EXPECT_EQ(responder.answered(), 1);
  ExpectLog(f, lines);
}

TEST(WorkerLogTest, WorkerRequestsAreServedInPostingOrder) {
  std::vector<int> served;
  app::RequestQueue* queue_ptr = nullptr;
  app::RequestQueue queue([&](app::WorkerRequest& r) {
    served.push_back(static_cast<int>(r.value));
    EXPECT_EQ(queue_ptr->PendingRequest(), &r);
    queue_ptr->ReplyRequest(&r, static_cast<int32_t>(r.value) * 2);
  });
  queue_ptr = &queue;
  std::vector<int32_t> results;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 1; i <= 50; ++i) results.push_back(queue.SendRequest(app::kRequestAddLogLine, i));
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  ASSERT_EQ(served.size(), 50u);
  for (int i = 1; i <= 50; ++i) {
    EXPECT_EQ(served[i - 1], i);
    EXPECT_EQ(results[i - 1], 2 * i);
  }
}

TEST(WorkerLogTest, ShutdownReleasesAWaitingWorkerAndRefusesNewRequests) {
  int served = 0;
  app::RequestQueue queue([&](app::WorkerRequest&) { ++served; });  // never replies
  std::atomic<int32_t> first{-1};
  std::atomic<int32_t> second{-1};
  std::thread worker([&] {
    first = queue.SendRequest(app::kRequestOpenBindDialog, 3);
    second = queue.SendRequest(app::kRequestAddLogLine);
  });
  ASSERT_TRUE(PumpUntil([&] { return served == 1; }));
  queue.Shutdown();
  worker.join();
  EXPECT_EQ(first.load(), app::kResultReleased);
  EXPECT_EQ(second.load(), app::kResultReleased);
  EXPECT_EQ(served, 1);
  // A reply after the shutdown has no request to reach.
  EXPECT_FALSE(queue.ReplyRequest(queue.PendingRequest(), 0));
}

// Request 1026 through the bind window seam: the window replies later; its
// todo list travels back, then 1027 closes it and enables the main window.
class ScriptedBindWindow final : public app::BindWindowPort {
 public:
  void Open(GtkWindow*, int kind, const Lines& old_names, const Lines& new_names,
            const app::ChildWindowEvents& ev) override {
    opened_kind = kind;
    unbound_old = old_names;
    unbound_new = new_names;
    events = ev;
    open = true;
  }
  void HandleGadget(int gadget, int) override { gadgets.push_back(gadget); }
  Lines TodoList() const override { return L({"OldA > NewA"}); }
  void Close() override { open = false; }

  int opened_kind = 0;
  Lines unbound_old, unbound_new;
  app::ChildWindowEvents events;
  bool open = false;
  std::vector<int> gadgets;
};

TEST(WorkerLogTest, BindRequestWaitsForTheWindowsReply) {
  AppFixture f;
  ScriptedBindWindow window;
  f.app->bind_window = &window;
  std::atomic<bool> done{false};
  BindReply reply;
  std::thread worker([&] {
    reply = f.app->host.AskBindings(6, L({"OldA", "OldB"}), L({"NewA"}));
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return window.open; }));
  EXPECT_EQ(window.opened_kind, 6);
  EXPECT_EQ(window.unbound_old, L({"OldA", "OldB"}));
  EXPECT_FALSE(f.app->main->Enabled());
  // Gadget events reach the window through the gadget table; a single click
  // on a list does nothing.
  window.events.gadget(14, app::kEventClick);
  window.events.gadget(17, app::kEventClick);
  EXPECT_EQ(window.gadgets, std::vector<int>{17});
  for (int i = 0; i < 5; ++i) g_main_context_iteration(nullptr, FALSE);
  EXPECT_FALSE(done.load());  // still waiting for Continue
  window.events.reply(0);
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_FALSE(reply.cancelled);
  EXPECT_EQ(reply.todo, L({"OldA > NewA"}));
  EXPECT_FALSE(window.open);
  EXPECT_TRUE(f.app->main->Enabled());
  f.app->bind_window = &f.app->search_replace;
}

TEST(WorkerLogTest, BindWindowCloseBoxCancels) {
  AppFixture f;
  ScriptedBindWindow window;
  f.app->bind_window = &window;
  std::atomic<bool> done{false};
  BindReply reply;
  std::thread worker([&] {
    reply = f.app->host.AskBindings(1, L({"Old"}), L({}));
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return window.open; }));
  f.dialogs.answers = {true};  // a pair would be dropped: asked first
  window.events.close();       // close table 2
  // The replied request lives on the worker's stack only until it wakes: the
  // main thread must not keep pointing at it.
  EXPECT_EQ(f.app->requests.PendingRequest(), nullptr);
  window.events.close();  // a second close has nothing left to answer or ask
  EXPECT_EQ(f.dialogs.questions.size(), 1u);
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_TRUE(reply.cancelled);
  EXPECT_TRUE(reply.todo.empty());
  f.app->bind_window = &f.app->search_replace;
}

TEST(WorkerLogTest, HostGetsFileListCopyAndShowsErrorsOnTheMainThread) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb", "/x/b.pb"});
  std::atomic<bool> done{false};
  Lines copy;
  std::thread worker([&] {
    copy = f.app->host.FileListItems();
    f.app->host.ShowError(T("UserGadgetList"), T("Error save file project"));
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(copy, L({"/x/a.pb", "/x/b.pb"}));
  EXPECT_EQ(f.dialogs.messages, std::vector<std::string>{"UserGadgetList: Error save file project"});
}

}  // namespace
}  // namespace quillon::testing
