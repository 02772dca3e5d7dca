// Whole generation runs started from the window on a copy of the example
// project: Start Generate, "Start", the log, the files; a second run after
// the designer renamed the window and a button, bound in the Search and
// Replace window by double clicks; and a run cancelled by its close box.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

const char* const kGeneratedFiles[] = {"Main.pb",        "CommonFile.pb",  "EventMain.pb",    "EventMenu.pb",
                                       "EventGadget.pb", "EventWindow.pb", "LoadLanguage.pb", "Catalog"};
const char kOldProcedure[] = "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n";
const char kNewProcedure[] = "Procedure EventGadget_WinStart_Btn_Hello(EventType)\n";
const char kUserCode[] = "  SetGadgetText(#WinMain_Str_Name, \"hello\")\n";

void ReplaceAllIn(const std::string& path, const std::string& from, const std::string& to) {
  std::string text = ReadBytes(path);
  size_t at = 0;
  int count = 0;
  while ((at = text.find(from, at)) != std::string::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
    ++count;
  }
  ASSERT_GT(count, 0) << from << " not in " << path;
  WriteBytes(path, text);
}

std::map<std::string, std::string> WithoutBackup(std::map<std::string, std::string> files) {
  for (auto it = files.begin(); it != files.end();) {
    it = it->first.rfind("Backup/", 0) == 0 ? files.erase(it) : std::next(it);
  }
  return files;
}

class GuiRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyExampleProject(project.path());
    f.dialogs.open_names = {FromUtf8(project.File("Example.pbm"))};
    app::DispatchCommand(*f.app, 1);
    ASSERT_TRUE(f.ws.project.has_name);
  }

  // Start Generate, then "Start" clicked as a user does.
  void StartRun() {
    app::DispatchCommand(*f.app, 9);
    ASSERT_TRUE(f.app->start_window);
    GtkWidget* start = f.app->start_window->gadget(8);
    ASSERT_TRUE(WaitMapped(start));
    gtk_test_widget_click(start, 1, GdkModifierType(0));
    ASSERT_TRUE(PumpUntil([this] { return f.app->run_active; }));
  }
  bool RunEnded() {
    return PumpUntil([this] { return !f.app->run_active; }, 30000);
  }
  void CompleteRun() {
    StartRun();
    ASSERT_TRUE(RunEnded());
    ASSERT_EQ(Log().end()[-2], "Ready.");
  }
  // The Search and Replace window opened for this kind word.
  bool BindWindowFor(const std::string& word) {
    app::SearchReplaceWindow& w = f.app->search_replace;
    return PumpUntil(
               [&] { return w.IsOpen() && gtk_window_get_title(w.window()) == "Search and Replace - " + word; }) &&
           WaitMapped(GTK_WIDGET(w.list(app::kGadgetOldList)));
  }
  std::vector<std::string> Rows(int list) { return ListRows(f.app->search_replace.list(list)); }
  std::vector<std::string> Log() { return ListRows(f.app->main->log_view()); }
  // The user's code in the button's event procedure, then the designer's renames.
  void EditAndRename() {
    ReplaceAllIn(project.File("EventGadget.pb"), std::string(kOldProcedure) + "  \n",
                 std::string(kOldProcedure) + kUserCode);
    ReplaceAllIn(project.File("forms/MainWindow.pbf"), "WinMain", "WinStart");
    ReplaceAllIn(project.File("forms/MainWindow.pbf"), "Btn_Greet", "Btn_Hello");
  }

  TempDir project;
  AppFixture f;
};

TEST_F(GuiRunTest, StartRunsTheFourStepsAndWritesTheSameFilesAsTheCommandLine) {
  StartRun();
  // Commands that change the project are greyed out while the run lasts.
  ASSERT_TRUE(f.app->run_active);  // the run needs this loop for its requests: it cannot have ended
  EXPECT_FALSE(gtk_widget_get_sensitive(f.app->main->menu_item(9)));
  EXPECT_TRUE(PumpUntil([this] { return !f.app->start_window; }));  // the worker's first request
  ASSERT_TRUE(RunEnded());
  const std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(log.front(), "Generate Code Step 1 ...");
  EXPECT_EQ(log[log.size() - 2], "Ready.");
  EXPECT_EQ(log.back(), "");
  size_t previous = 0;
  for (const char* header : {"Generate Code Step 2 ...", "Generate Code Step 3 ...", "Generate Code Step 4 ..."}) {
    const size_t at = std::find(log.begin(), log.end(), header) - log.begin();
    ASSERT_LT(at, log.size()) << header;
    EXPECT_GT(at, previous) << header;
    previous = at;
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), "Cancel."), 0);
  EXPECT_TRUE(f.app->main->Enabled());
  EXPECT_TRUE(gtk_widget_get_sensitive(f.app->main->menu_item(9)));
  EXPECT_TRUE(f.ws.project.saved);
  EXPECT_EQ(f.app->main->StatusText(), project.File("Example.pbm"));

  for (const char* name : kGeneratedFiles) EXPECT_NE(ReadBytes(project.File(name)), "<missing>") << name;
  EXPECT_NE(ReadBytes(project.File("EventGadget.pb")).find(kOldProcedure), std::string::npos);
  // The headless front end on another copy writes byte for byte the same.
  TempDir other;
  CopyExampleProject(other.path());
  const ProcessResult cli = RunQuillon({"--generate", other.File("Example.pbm")}, other.path());
  ASSERT_EQ(cli.exit_code, 0) << cli.out << cli.err;
  EXPECT_EQ(WithoutBackup(SnapshotTree(project.path())), WithoutBackup(SnapshotTree(other.path())));
  EXPECT_EQ(log.size(), SplitLines(cli.out).size());
}

TEST_F(GuiRunTest, RenamedWindowAndButtonBoundByDoubleClickCarryTheUserCode) {
  CompleteRun();
  EditAndRename();
  StartRun();

  ASSERT_TRUE(BindWindowFor("Window"));
  EXPECT_FALSE(f.app->main->Enabled());
  EXPECT_FALSE(gtk_widget_get_sensitive(f.app->main->menu_item(0)));
  EXPECT_EQ(Rows(app::kGadgetOldList), std::vector<std::string>{"WinMain"});
  EXPECT_EQ(Rows(app::kGadgetNewList), std::vector<std::string>{"WinStart"});
  ASSERT_TRUE(ClickRow(f.app->search_replace.list(app::kGadgetNewList), 0));
  ASSERT_TRUE(DoubleClickRow(f.app->search_replace.list(app::kGadgetOldList), 0));
  EXPECT_EQ(Rows(app::kGadgetTodoList), std::vector<std::string>{"WinMain > WinStart"});
  gtk_test_widget_click(f.app->search_replace.gadget(app::kGadgetContinue), 1, GdkModifierType(0));

  // Menu items kept their names after the window prefix: only the button is left.
  ASSERT_TRUE(BindWindowFor("Gadget"));
  EXPECT_EQ(Rows(app::kGadgetOldList), std::vector<std::string>{"WinStart_Btn_Greet"});
  EXPECT_EQ(Rows(app::kGadgetNewList), std::vector<std::string>{"WinStart_Btn_Hello"});
  ASSERT_TRUE(ClickRow(f.app->search_replace.list(app::kGadgetOldList), 0));
  ASSERT_TRUE(DoubleClickRow(f.app->search_replace.list(app::kGadgetNewList), 0));
  gtk_test_widget_click(f.app->search_replace.gadget(app::kGadgetContinue), 1, GdkModifierType(0));

  ASSERT_TRUE(RunEnded());
  EXPECT_FALSE(f.app->search_replace.IsOpen());
  EXPECT_TRUE(f.app->main->Enabled());
  EXPECT_TRUE(f.dialogs.questions.empty());
  const std::vector<std::string> log = Log();
  EXPECT_EQ(log[log.size() - 2], "Ready.");
  EXPECT_EQ(log.back(), "");
  const std::string gadgets = ReadBytes(project.File("EventGadget.pb"));
  EXPECT_NE(gadgets.find(std::string(kNewProcedure) + "  SetGadgetText(#WinStart_Str_Name, \"hello\")\n"),
            std::string::npos)
      << gadgets;
  EXPECT_EQ(gadgets.find("WinMain"), std::string::npos);
  EXPECT_EQ(gadgets.find("Btn_Greet"), std::string::npos);
  EXPECT_NE(ReadBytes(project.File("Main.pb")).find("  Open_WinStart()\n"), std::string::npos);
}

TEST_F(GuiRunTest, RunCancelledByTheCloseBoxWritesNothing) {
  CompleteRun();
  EditAndRename();
  const auto before = SnapshotTree(project.path());
  const size_t lines_before = Log().size();
  StartRun();
  ASSERT_TRUE(BindWindowFor("Window"));
  // A binding made before the close box: asked first, Yes drops it.
  ASSERT_TRUE(ClickRow(f.app->search_replace.list(app::kGadgetNewList), 0));
  ASSERT_TRUE(DoubleClickRow(f.app->search_replace.list(app::kGadgetOldList), 0));
  f.dialogs.answers = {true};
  SendCloseBox(f.app->search_replace.window());
  EXPECT_EQ(f.dialogs.questions.size(), 1u);
  ASSERT_TRUE(RunEnded());
  EXPECT_FALSE(f.app->search_replace.IsOpen());
  EXPECT_TRUE(f.app->main->Enabled());
  const std::vector<std::string> log = Log();
  ASSERT_GT(log.size(), lines_before + 2);
  EXPECT_EQ(log[log.size() - 2], "Cancel.");
  EXPECT_EQ(log.back(), "");
  EXPECT_EQ(std::count(log.begin() + static_cast<std::ptrdiff_t>(lines_before), log.end(), "Generate Code Step 3 ..."),
            0);
  EXPECT_EQ(SnapshotTree(project.path()), before);
}

TEST_F(GuiRunTest, UndoLastGenerateAsksFirstRestoresTheFilesAndIsGreyedWithoutARecord) {
  GtkWidget* undo = f.app->main->menu_item(app::kCommandUndoLastGenerate);
  ASSERT_NE(undo, nullptr);
  EXPECT_EQ(LabelTexts(undo)[0], "_Undo Last Generate");
  EXPECT_FALSE(gtk_widget_get_sensitive(undo));  // nothing to undo yet
  const auto before = WithoutBackup(SnapshotTree(project.path()));
  CompleteRun();
  const auto after = WithoutBackup(SnapshotTree(project.path()));
  ASSERT_NE(after, before);
  EXPECT_TRUE(gtk_widget_get_sensitive(undo));

  // The question names the run and, undo being all or nothing, the file
  // changed since that would stop it. No: nothing changes.
  const std::string gadget_file = ReadBytes(project.File("EventGadget.pb"));
  WriteBytes(project.File("EventGadget.pb"), gadget_file + "; edited\n");
  f.dialogs.answers = {false};
  app::DispatchCommand(*f.app, app::kCommandUndoLastGenerate);
  ASSERT_EQ(f.dialogs.questions.size(), 1u);
  const std::string& question = f.dialogs.questions[0];
  EXPECT_NE(question.find("Undo the last completed generation run, which ended "), std::string::npos) << question;
  EXPECT_NE(question.find("\n" + project.File("EventGadget.pb") + ": changed since the run"), std::string::npos)
      << question;
  WriteBytes(project.File("EventGadget.pb"), gadget_file);
  EXPECT_EQ(WithoutBackup(SnapshotTree(project.path())), after);

  f.dialogs.answers = {true};
  app::DispatchCommand(*f.app, app::kCommandUndoLastGenerate);
  EXPECT_EQ(WithoutBackup(SnapshotTree(project.path())), before);
  const std::vector<std::string> log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), " -> Removed " + project.File("Main.pb")), log.end());
  EXPECT_EQ(log.end()[-2], "Ready.");
  EXPECT_FALSE(gtk_widget_get_sensitive(undo));  // one step of undo

  StartRun();
  EXPECT_FALSE(gtk_widget_get_sensitive(undo));  // greyed while a run goes on
  ASSERT_TRUE(RunEnded());
  EXPECT_TRUE(gtk_widget_get_sensitive(undo));
}

}  // namespace
}  // namespace quillon::testing
