// The rename assistant on the example project, as a user runs it: suggested
// bindings, what a rename changed, unused procedures and undo of a run.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/quillon_process.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class RenameCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyExampleProject(dir.path());
    ASSERT_EQ(Generate().exit_code, 0);
    ReplaceInFile(dir.File("EventGadget.pb"), "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  \n",
                  "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  SetGadgetText(#WinMain_Str_Name, \"hi\")\n");
    // The designer renames the window and the button.
    ReplaceInFile(dir.File("forms/MainWindow.pbf"), "WinMain", "WinStart");
    ReplaceInFile(dir.File("forms/MainWindow.pbf"), "Btn_Greet", "Btn_Hello");
  }
  ProcessResult Generate(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--generate", dir.File("Example.pbm")};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunQuillon(args, dir.path());
  }
  TempDir dir;
};

TEST_F(RenameCycle, BindSuggestedFinishesTheRenameAsTheExplicitBindsDo) {
  const ProcessResult cancelled = Generate();
  EXPECT_EQ(cancelled.exit_code, 1);
  EXPECT_EQ(cancelled.err, "unbound Window: WinMain (suggested: WinStart)\n");

  TempDir explicit_dir;
  CopyExampleProject(explicit_dir.path());
  for (const auto& [name, bytes] : SnapshotTree(dir.path())) {
    if (name.rfind("Backup/", 0) != 0) WriteBytes(explicit_dir.File(name), bytes);
  }

  // Every line that names the old window is a line the rename changes.
  long lines_with_old_name = 0;
  for (const std::string& line : SplitLines(ReadBytes(dir.File("EventGadget.pb")))) {
    lines_with_old_name += Contains(line, "WinMain");
  }
  const ProcessResult suggested = Generate({"--bind-suggested"});
  ASSERT_EQ(suggested.exit_code, 0) << suggested.out << suggested.err;
  EXPECT_EQ(suggested.err, "");
  EXPECT_TRUE(Contains(suggested.out,
                       "- Check Constants...\n -> Bind Suggested Window: WinMain = WinStart\n"
                       " -> Bind Suggested Gadget: WinStart_Btn_Greet = WinStart_Btn_Hello\nGenerate Code Step 3"))
      << suggested.out;
  const ProcessResult bound =
      RunQuillon({"--generate", explicit_dir.File("Example.pbm"), "--bind", "Window:WinMain=WinStart", "--bind",
                  "Gadget:WinStart_Btn_Greet=WinStart_Btn_Hello"},
                 explicit_dir.path());
  ASSERT_EQ(bound.exit_code, 0) << bound.err;
  auto after_suggested = SnapshotTree(dir.path());
  auto after_explicit = SnapshotTree(explicit_dir.path());
  for (const char* name : {"Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb",
                           "EventWindow.pb", "Example.pbm"}) {
    EXPECT_EQ(after_suggested[name], after_explicit[name]) << name;
  }
  EXPECT_TRUE(Contains(after_suggested["EventGadget.pb"],
                       "Procedure EventGadget_WinStart_Btn_Hello(EventType)\n  SetGadgetText(#WinStart_Str_Name"));
  // Step 3 names what the rename changed in the user's files.
  EXPECT_TRUE(Contains(suggested.out, " -> Update " + dir.File("EventGadget.pb") +
                                          " / Count Change: " + std::to_string(lines_with_old_name) + "\n"))
      << suggested.out;
  const size_t includes = suggested.out.find("- Update IncludeFiles\n");
  const size_t main_line = suggested.out.find(" -> Update " + dir.File("Main.pb") + " / Count Change: ");
  const size_t gadget_line = suggested.out.find(" -> Update " + dir.File("EventGadget.pb"));
  EXPECT_LT(includes, main_line);
  EXPECT_LT(main_line, gadget_line);
  EXPECT_LT(gadget_line, suggested.out.find("Generate Code Step 4 ..."));

  // A gadget renamed alone changes only the gadget file: no other file is named.
  ReplaceInFile(dir.File("forms/MainWindow.pbf"), "Btn_Hello", "Btn_Hi");
  const ProcessResult gadget_only = Generate({"--bind-suggested"});
  ASSERT_EQ(gadget_only.exit_code, 0) << gadget_only.err;
  EXPECT_TRUE(Contains(gadget_only.out, " -> Update " + dir.File("EventGadget.pb") + " / Count Change: 1\n"))
      << gadget_only.out;
  for (const char* name : {"Main.pb", "EventMenu.pb", "EventWindow.pb"}) {
    EXPECT_FALSE(Contains(gadget_only.out, " -> Update " + dir.File(name))) << name;
  }
}

TEST_F(RenameCycle, TheCancelOfALaterKindSuggestsFromTheRenamedPrefixes) {
  const ProcessResult cancelled = Generate({"--bind", "Window:WinMain=WinStart"});
  EXPECT_EQ(cancelled.exit_code, 1);
  EXPECT_EQ(cancelled.err, "unbound Gadget: WinStart_Btn_Greet (suggested: WinStart_Btn_Hello)\n");
}

TEST_F(RenameCycle, AnUnboundRenameLeavesItsProceduresListedAsUnused) {
  const ProcessResult run = Generate({"--bind", "Window:WinMain=WinStart", "--drop-unbound"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string tail = " -> Count Image: ";
  const size_t counts = run.out.find(tail);
  ASSERT_NE(counts, std::string::npos);
  const size_t next = run.out.find('\n', counts) + 1;
  EXPECT_EQ(run.out.substr(next, run.out.find('\n', next) - next),
            " -> Unused Procedure EventGadget_WinStart_Btn_Greet in " + dir.File("EventGadget.pb"));
  // Nothing is removed: the user's code is still there.
  EXPECT_TRUE(Contains(ReadBytes(dir.File("EventGadget.pb")),
                       "Procedure EventGadget_WinStart_Btn_Greet(EventType)\n  SetGadgetText(#WinStart_Str_Name"));
}

std::map<std::string, std::string> WithoutBackup(std::map<std::string, std::string> files) {
  for (auto it = files.begin(); it != files.end();) {
    it = it->first.rfind("Backup/", 0) == 0 ? files.erase(it) : std::next(it);
  }
  return files;
}

TEST_F(RenameCycle, UndoBringsBackEveryFileByteForByteAndTheNextRunAsksAgain) {
  ReplaceInFile(dir.File("Main.pb"), ";IncludeFile \"???.pb\"", "IncludeFile \"Tools.pbi\"");
  WriteBytes(dir.File("Tools.pbi"), "Procedure Tool()\n  DisableGadget(#WinMain_Btn_Greet, 1)\nEndProcedure\n");
  const auto before = WithoutBackup(SnapshotTree(dir.path()));
  ASSERT_EQ(Generate({"--bind-suggested"}).exit_code, 0);
  const auto after = SnapshotTree(dir.path());
  ASSERT_NE(WithoutBackup(after), before);

  // A dry run only says what it would do.
  const ProcessResult preview = RunQuillon({"--undo", dir.File("Example.pbm"), "--dry-run"}, dir.path());
  EXPECT_EQ(preview.exit_code, 0) << preview.err;
  EXPECT_TRUE(Contains(preview.out, " -> Restored " + dir.File("Tools.pbi") + "\n"));
  EXPECT_EQ(SnapshotTree(dir.path()), after);

  const ProcessResult undo = RunQuillon({"--undo", "Example.pbm"}, dir.path());
  EXPECT_EQ(undo.exit_code, 0) << undo.out << undo.err;
  EXPECT_EQ(undo.out, preview.out);
  EXPECT_TRUE(Contains(undo.out, " -> Restored " + dir.File("Example.pbm") + "\n"));
  EXPECT_EQ(undo.out.substr(undo.out.size() - 8), "Ready.\n\n");
  EXPECT_EQ(WithoutBackup(SnapshotTree(dir.path())), before);

  // One step of undo; the project file is back, so the rename is asked again.
  const ProcessResult again = RunQuillon({"--undo", "Example.pbm"}, dir.path());
  EXPECT_EQ(again.exit_code, 2);
  EXPECT_EQ(again.err, "nothing to undo\n");
  EXPECT_EQ(Generate().err, "unbound Window: WinMain (suggested: WinStart)\n");
}

TEST(Undo, TheFirstRunsCreatedFilesAreRemoved) {
  TempDir dir;
  CopyExampleProject(dir.path());
  const auto before = SnapshotTree(dir.path());
  ASSERT_EQ(RunQuillon({"--generate", "Example.pbm"}, dir.path()).exit_code, 0);
  const ProcessResult undo = RunQuillon({"--undo", "Example.pbm"}, dir.path());
  EXPECT_EQ(undo.exit_code, 0) << undo.err;
  EXPECT_TRUE(Contains(undo.out, " -> Removed " + dir.File("EventGadget.pb") + "\n"));
  EXPECT_EQ(WithoutBackup(SnapshotTree(dir.path())), before);
  // A dry run records nothing to undo.
  ASSERT_EQ(RunQuillon({"--generate", "Example.pbm", "--dry-run"}, dir.path()).exit_code, 0);
  EXPECT_EQ(RunQuillon({"--undo", "Example.pbm"}, dir.path()).exit_code, 2);
}

TEST_F(RenameCycle, AGeneratedFileNotWrittenKeepsTheSavedConstants) {
  ASSERT_EQ(::chmod(dir.File("EventGadget.pb").c_str(), 0444), 0);  // refused for root too
  const ProcessResult run = Generate({"--bind-suggested"});
  EXPECT_EQ(run.exit_code, 4) << run.out;
  ASSERT_EQ(::chmod(dir.File("EventGadget.pb").c_str(), 0644), 0);
  // The next run offers the same renames, so the code follows the new names.
  EXPECT_EQ(Generate().err, "unbound Window: WinMain (suggested: WinStart)\n");
  ASSERT_EQ(Generate({"--bind-suggested"}).exit_code, 0);
  EXPECT_TRUE(Contains(ReadBytes(dir.File("EventGadget.pb")),
                       "Procedure EventGadget_WinStart_Btn_Hello(EventType)\n  SetGadgetText(#WinStart_Str_Name"));
}

TEST(BindSuggested, AGadgetsCodeNeverMovesToAnotherWindow) {
  TempDir dir;
  CopyExampleProject(dir.path());
  ASSERT_EQ(RunQuillon({"--generate", "Example.pbm"}, dir.path()).exit_code, 0);
  ReplaceInFile(dir.File("EventGadget.pb"), "Procedure EventGadget_WinMain_Chk_Upper(EventType)\n  \n",
                "Procedure EventGadget_WinMain_Chk_Upper(EventType)\n  Debug \"upper\"\n");
  // The check box leaves the main window; the about window gets a button.
  ReplaceInFile(dir.File("forms/MainWindow.pbf"),
                "  CheckBoxGadget(#Chk_Upper, 20, 65, 200, 20, \"Greet in capitals\")\n", "");
  ReplaceInFile(dir.File("forms/AboutWindow.pbf"), "  ButtonGadget(#Btn_Close,",
                "  ButtonGadget(#Btn_New, 80, 100, 100, 25, \"New\")\n  ButtonGadget(#Btn_Close,");
  const ProcessResult cancelled = RunQuillon({"--generate", "Example.pbm", "--bind-suggested"}, dir.path());
  EXPECT_EQ(cancelled.exit_code, 1);
  EXPECT_EQ(cancelled.err, "unbound Gadget: WinMain_Chk_Upper\n");
  const ProcessResult run = RunQuillon({"--generate", "Example.pbm", "--bind-suggested", "--drop-unbound"}, dir.path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_FALSE(Contains(run.out, "Bind Suggested")) << run.out;
  const std::string events = ReadBytes(dir.File("EventGadget.pb"));
  EXPECT_TRUE(Contains(events, "Procedure EventGadget_WinMain_Chk_Upper(EventType)\n  Debug \"upper\"\n")) << events;
  EXPECT_TRUE(Contains(events, "Procedure EventGadget_WinAbout_Btn_New(EventType)\n  \n")) << events;
}

TEST(UnusedProcedures, EveryGeneratedSignatureWithoutItsObjectIsNamedWithItsFile) {
  TempDir dir;
  CopyExampleProject(dir.path());
  ASSERT_EQ(RunQuillon({"--generate", "Example.pbm"}, dir.path()).exit_code, 0);
  // The button becomes a text gadget (no event procedure); a tab-indented
  // procedure and a window procedure whose objects are gone.
  ReplaceInFile(dir.File("forms/MainWindow.pbf"), "ButtonGadget(#Btn_Greet", "TextGadget(#Btn_Greet");
  WriteBytes(dir.File("EventGadget.pb"),
             ReadBytes(dir.File("EventGadget.pb")) + "\tProcedure EventGadget_Gone(EventType)\nEndProcedure\n");
  WriteBytes(dir.File("EventWindow.pb"),
             ReadBytes(dir.File("EventWindow.pb")) + "Procedure EventSize_Gone()\nEndProcedure\n");
  const ProcessResult run = RunQuillon({"--generate", "Example.pbm"}, dir.path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  for (const std::string& line : {" -> Unused Procedure EventGadget_WinMain_Btn_Greet in " + dir.File("EventGadget.pb"),
                                  " -> Unused Procedure EventGadget_Gone in " + dir.File("EventGadget.pb"),
                                  " -> Unused Procedure EventSize_Gone in " + dir.File("EventWindow.pb")}) {
    EXPECT_TRUE(Contains(run.out, line + "\n")) << line << "\n" << run.out;
  }
}

}  // namespace
}  // namespace quillon::testing
