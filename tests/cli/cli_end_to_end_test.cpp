// The quillon binary on copies of the example project, as a user runs it.
#include <gtest/gtest.h>

#include "support/quillon_process.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

const char* const kGeneratedFiles[] = {"Main.pb",        "CommonFile.pb",  "EventMain.pb",    "EventMenu.pb",
                                       "EventGadget.pb", "EventWindow.pb", "LoadLanguage.pb", "Catalog"};

std::map<std::string, std::string> WithoutBackup(std::map<std::string, std::string> files) {
  for (auto it = files.begin(); it != files.end();) {
    it = it->first.rfind("Backup/", 0) == 0 ? files.erase(it) : std::next(it);
  }
  return files;
}

class ExampleProject : public ::testing::Test {
 protected:
  void SetUp() override { CopyExampleProject(dir.path()); }
  ProcessResult Generate(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--generate", dir.File("Example.pbm")};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunQuillon(args, dir.path());
  }
  TempDir dir;
};

TEST_F(ExampleProject, FirstRunWritesACompleteProgramAndASecondRunChangesNothing) {
  const ProcessResult first = Generate();
  ASSERT_EQ(first.exit_code, 0) << first.out << first.err;
  const std::vector<std::string> log = SplitLines(first.out);
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log.front(), "Generate Code Step 1 ...");
  EXPECT_EQ(log[log.size() - 2], "Ready.");
  EXPECT_EQ(log.back(), "");
  for (const char* name : kGeneratedFiles) {
    EXPECT_NE(ReadBytes(dir.File(name)), "<missing>") << name;
  }
  const std::string main_pb = ReadBytes(dir.File("Main.pb"));
  EXPECT_NE(main_pb.find("  Open_WinMain()\n"), std::string::npos);
  EXPECT_NE(main_pb.find("  If WindowID(#WinMain)\n"), std::string::npos);
  const std::string gadgets = ReadBytes(dir.File("EventGadget.pb"));
  EXPECT_NE(gadgets.find("Procedure EventGadget_WinMain_Btn_Greet(EventType)"), std::string::npos);
  EXPECT_EQ(gadgets.find("EventGadget_WinMain_Txt_Name"), std::string::npos);  // text gadgets get none
  const std::string common = ReadBytes(dir.File("CommonFile.pb"));
  EXPECT_NE(common.find("Procedure Open_WinMain("), std::string::npos);
  EXPECT_NE(common.find("IncludeFile \"LoadLanguage.pb\""), std::string::npos);

  const auto after_first = WithoutBackup(SnapshotTree(dir.path()));
  const ProcessResult second = Generate();
  ASSERT_EQ(second.exit_code, 0) << second.err;
  EXPECT_EQ(WithoutBackup(SnapshotTree(dir.path())), after_first);
  // The backup of the second run holds the files as the first run left them.
  EXPECT_EQ(ReadBytes(dir.File("Backup/EventGadget.pb")), after_first.at("EventGadget.pb"));
}

TEST_F(ExampleProject, UserCodeAndTranslationsSurviveRegeneration) {
  ASSERT_EQ(Generate().exit_code, 0);
  ReplaceInFile(dir.File("EventGadget.pb"), "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  \n",
                "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  Debug \"hello from the user\"\n");
  ReplaceInFile(dir.File("Main.pb"), "Global ExitApplication = 0\n",
                "Global ExitApplication = 0\nGlobal UserCounter\n");
  ReplaceInFile(dir.File("Catalog"), "\"Greet\";\"\"", "\"Greet\";\"Grüßen\"");
  ASSERT_EQ(Generate().exit_code, 0);
  EXPECT_NE(ReadBytes(dir.File("EventGadget.pb")).find("  Debug \"hello from the user\"\n"), std::string::npos);
  EXPECT_NE(ReadBytes(dir.File("Main.pb")).find("Global UserCounter\n"), std::string::npos);
  EXPECT_NE(ReadBytes(dir.File("Catalog")).find("\"Greet\";\"Grüßen\""), std::string::npos);
}

TEST_F(ExampleProject, RenamedWindowAndGadgetFollowIntoUserCodeWithBind) {
  ASSERT_EQ(Generate().exit_code, 0);
  // The user's code: inside an event procedure, in Main.pb and in an include file.
  ReplaceInFile(dir.File("EventGadget.pb"), "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  \n",
                "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  SetGadgetText(#WinMain_Str_Name, \"hi\")\n");
  ReplaceInFile(dir.File("Main.pb"), ";IncludeFile \"???.pb\"", "IncludeFile \"Tools.pbi\"");
  WriteBytes(dir.File("Tools.pbi"), "Procedure Tool()\n  DisableGadget(#WinMain_Btn_Greet, 1)\nEndProcedure\n");
  // The designer renames the window and the button.
  ReplaceInFile(dir.File("forms/MainWindow.pbf"), "WinMain", "WinStart");
  ReplaceInFile(dir.File("forms/MainWindow.pbf"), "Btn_Greet", "Btn_Hello");
  const auto before = SnapshotTree(dir.path());

  const ProcessResult unbound = Generate();
  EXPECT_EQ(unbound.exit_code, 1);
  EXPECT_NE(unbound.err.find("unbound Window: WinMain (suggested: WinStart)\n"), std::string::npos) << unbound.err;
  EXPECT_NE(unbound.out.find("Cancel.\n\n"), std::string::npos);
  EXPECT_EQ(SnapshotTree(dir.path()), before);  // a cancelled run writes nothing

  const ProcessResult bound =
      Generate({"--bind", "Window:WinMain=WinStart", "--bind", "gadget:WinStart_Btn_Greet=WinStart_Btn_Hello"});
  ASSERT_EQ(bound.exit_code, 0) << bound.out << bound.err;
  const std::string gadgets = ReadBytes(dir.File("EventGadget.pb"));
  EXPECT_NE(gadgets.find("Procedure EventGadget_WinStart_Btn_Hello(EventType)\n  SetGadgetText(#WinStart_Str_Name"),
            std::string::npos)
      << gadgets;
  EXPECT_EQ(gadgets.find("WinMain"), std::string::npos);
  const std::string main_pb = ReadBytes(dir.File("Main.pb"));
  EXPECT_NE(main_pb.find("  Open_WinStart()\n"), std::string::npos);
  EXPECT_NE(main_pb.find("  If WindowID(#WinStart)\n"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir.File("Tools.pbi")),
            "Procedure Tool()\n  DisableGadget(#WinStart_Btn_Hello, 1)\nEndProcedure\n");
  EXPECT_NE(bound.out.find(" -> Update Includefile " + dir.File("Tools.pbi") + " / Count Change: "), std::string::npos);
}

TEST(CommandLine, UsageErrorsAndUnreadableProjectExitWithTwo) {
  TempDir dir;
  const ProcessResult missing = RunQuillon({"--generate", dir.File("none.pbm")});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_EQ(missing.err, "Error open file project\n");
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(RunQuillon({"--generate"}).exit_code, 2);
  EXPECT_EQ(RunQuillon({"--generate", "x.pbm", "--bind", "Nope:A=B"}).exit_code, 2);
  const ProcessResult help = RunQuillon({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("--generate PROJECT.pbm"), std::string::npos);
  EXPECT_EQ(RunQuillon({"--version"}).exit_code, 0);
}

TEST(CommandLine, EmptyFileListCancelsWithTheStep1Lines) {
  TempDir dir;
  WriteBytes(dir.File("p.pbm"), "[FILES]\n\n[SWITCH]\nUtf8=1\n");
  const ProcessResult run = RunQuillon({"--generate", "p.pbm"}, dir.path());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out,
            "Generate Code Step 1 ...\n- Check Main.pb\n -> Main.pb not found.\n- Load Files...\n"
            "None Files to Generate.\nCancel.\n\n");
  EXPECT_EQ(SnapshotTree(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace quillon::testing
