// Whole runs of the quillon binary on the example project with user code and
// hand edits that earlier versions damaged: each case would lose or corrupt
// something the user wrote.
#include <gtest/gtest.h>

#include "support/quillon_process.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class UserCodeSurvives : public ::testing::Test {
 protected:
  void SetUp() override { CopyExampleProject(dir.path()); }
  ProcessResult Generate(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--generate", dir.File("Example.pbm")};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunQuillon(args, dir.path());
  }
  void FirstRun() { ASSERT_EQ(Generate().exit_code, 0); }
  std::string File(const std::string& name) { return ReadBytes(dir.File(name)); }
  TempDir dir;
};

TEST_F(UserCodeSurvives, Utf8WithoutMarkIsNotEncodedTwice) {
  // A form and Main.pb saved as UTF-8 without a mark, as Linux editors do.
  ReplaceInFile(dir.File("forms/AboutWindow.pbf"), "\"About\"", "\"Über\"");
  FirstRun();
  std::string main_pb = File("Main.pb");
  ASSERT_EQ(main_pb.rfind(kUtf8Mark, 0), 0u);
  WriteBytes(dir.File("Main.pb"), main_pb.substr(3) + "; Grüße\n");
  ASSERT_EQ(Generate().exit_code, 0);
  EXPECT_NE(File("Main.pb").find("; Grüße\n"), std::string::npos);
  EXPECT_NE(File("CommonFile.pb").find("\"Über\""), std::string::npos);
  ASSERT_EQ(Generate().exit_code, 0);
  EXPECT_NE(File("Backup/Main.pb").find("; Grüße\n"), std::string::npos);
  EXPECT_EQ(File("Main.pb").find("\xC3\x83"), std::string::npos);  // "Ã": encoded twice

  // Written one byte per character, the same bytes pass through unchanged.
  ReplaceInFile(dir.File("Example.pbm"), "Utf8=1", "Utf8=0");
  WriteBytes(dir.File("Main.pb"), File("Main.pb").substr(3));
  ASSERT_EQ(Generate().exit_code, 0);
  EXPECT_NE(File("Main.pb").find("; Grüße\n"), std::string::npos);
  EXPECT_NE(File("Main.pb").rfind(kUtf8Mark, 0), 0u);
}

TEST_F(UserCodeSurvives, CommentedOutCodeAtTheEndOfAnEventFileStays) {
  FirstRun();
  const std::string old_code = ";Procedure Old()\n;  Debug 1\n;EndProcedure\n";
  WriteBytes(dir.File("EventGadget.pb"), File("EventGadget.pb") + old_code);
  WriteBytes(dir.File("EventMenu.pb"),
             File("EventMenu.pb") + old_code + "; IDE Options = PureBasic 6.00\n; CursorPosition = 3\n; Folding = -\n");
  ASSERT_EQ(Generate().exit_code, 0);
  EXPECT_NE(File("EventGadget.pb").find(old_code), std::string::npos);
  EXPECT_NE(File("EventMenu.pb").find(old_code), std::string::npos);
  EXPECT_EQ(File("EventMenu.pb").find("IDE Options"), std::string::npos);
}

TEST_F(UserCodeSurvives, OnlyAWindowTestLineInMainIsRewritten) {
  FirstRun();
  const std::string users_line = "If WindowID(#WinAbout)=0 : Open_WinAbout() : EndIf";
  ReplaceInFile(dir.File("Main.pb"), "  If WindowID(#WinMain)\n", users_line + "\n  If WindowID(#WinMain) ; main\n");
  ASSERT_EQ(Generate().exit_code, 0);
  EXPECT_NE(File("Main.pb").find(users_line + "\n  If WindowID(#WinMain) ; main\n"), std::string::npos);
}

TEST_F(UserCodeSurvives, ProjectFileKeepsFilesAfterABlankLineAndOtherSections) {
  ReplaceInFile(dir.File("Example.pbm"), "forms/MainWindow.pbf\n", "forms/MainWindow.pbf\n\n");
  WriteBytes(dir.File("Example.pbm"), File("Example.pbm") + "[VCS]\nlast=abc\n\n[Notes]\nkeep me\n");
  FirstRun();
  const std::string project = File("Example.pbm");
  EXPECT_NE(project.find("forms/AboutWindow.pbf\n"), std::string::npos);
  EXPECT_NE(project.find("[VCS]\nlast=abc\n\n[Notes]\nkeep me\n"), std::string::npos);
  EXPECT_NE(File("CommonFile.pb").find("Procedure Open_WinAbout("), std::string::npos);
}

TEST_F(UserCodeSurvives, WindowsSharingAPrefixStayApartWhenOneIsRenamed) {
  ReplaceInFile(dir.File("forms/AboutWindow.pbf"), "WinAbout", "WinMain_Settings");
  FirstRun();
  ReplaceInFile(dir.File("EventGadget.pb"), "Procedure EventGadget_WinMain_Settings_Btn_Close(EventType)\n",
                "Procedure EventGadget_WinMain_Settings_Btn_Close(EventType)\n  CloseWindow(#WinMain_Settings)\n");
  ReplaceInFile(dir.File("forms/MainWindow.pbf"), "WinMain", "WinStart");
  const ProcessResult run = Generate({"--bind", "Window:WinMain=WinStart"});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(run.err, "");
  for (const auto& [name, bytes] : SnapshotTree(dir.path())) {
    if (name.rfind("Backup/", 0) == 0) continue;
    EXPECT_EQ(bytes.find("WinStart_Settings"), std::string::npos) << name;
  }
  const std::string gadgets = File("EventGadget.pb");
  EXPECT_EQ(Count(gadgets,
                  "Procedure EventGadget_WinMain_Settings_Btn_Close(EventType)\n"
                  "  CloseWindow(#WinMain_Settings)\n"),
            1u);
  EXPECT_EQ(Count(gadgets, "Procedure EventGadget_WinMain_Settings_Btn_Close("), 1u);
  EXPECT_NE(gadgets.find("Procedure EventGadget_WinStart_Btn_Greet("), std::string::npos);
  EXPECT_EQ(Count(File("EventWindow.pb"), "Procedure EventExit_WinMain_Settings()"), 1u);
}

TEST_F(UserCodeSurvives, AnIncludeNamedTwiceIsRenamedOnceAndTheDryRunShowsIt) {
  FirstRun();
  ReplaceInFile(dir.File("Main.pb"), ";IncludeFile \"???.pb\"",
                "CompilerIf #PB_Compiler_Debugger\n  IncludeFile \"Tools.pbi\"\nCompilerElse\n"
                "  IncludeFile \"Tools.pbi\"\nCompilerEndIf");
  WriteBytes(dir.File("Tools.pbi"), "DisableGadget(#WinMain_Btn_Greet, 1)\n");
  ReplaceInFile(dir.File("forms/MainWindow.pbf"), "WinMain", "WinMain_X");
  const std::vector<std::string> bind{"--bind", "Window:WinMain=WinMain_X"};
  const ProcessResult preview = Generate({bind[0], bind[1], "--dry-run"});
  ASSERT_EQ(preview.exit_code, 0) << preview.err;
  EXPECT_NE(preview.out.find("+DisableGadget(#WinMain_X_Btn_Greet, 1)\n"), std::string::npos) << preview.out;
  const ProcessResult run = Generate(bind);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(File("Tools.pbi"), "DisableGadget(#WinMain_X_Btn_Greet, 1)\n");
  EXPECT_EQ(Count(run.out, " -> Update Includefile "), 1u);
}

TEST_F(UserCodeSurvives, ACatalogTextWithAQuoteNeverBecomesCode) {
  FirstRun();
  const std::string key = "x\" : EndDataSection : RunProgram(\"sh\",\"-c id\",\"\") : DataSection : Data.s \"y";
  WriteBytes(dir.File("Catalog"), File("Catalog") + "\"" + key + "\";\"\"\n");
  const ProcessResult run = Generate();
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(File("LoadLanguage.pb").find("RunProgram"), std::string::npos);
  EXPECT_NE(run.out.find(" -> Warning: text with a double quote left out of LoadLanguage.pb: " + key + "\n"),
            std::string::npos);
  EXPECT_NE(File("Catalog").find(key), std::string::npos);
}

TEST_F(UserCodeSurvives, ErrorsAndBindsThatBindNothingAreNotReportedAsSuccess) {
  FirstRun();
  ReplaceInFile(dir.File("Main.pb"), ";IncludeFile \"???.pb\"", "IncludeFile \"Missing.pbi\"");
  const ProcessResult run = Generate({"--bind", "Gadget:WinMain_Btn_Gret=WinMain_Btn_Hello"});
  EXPECT_EQ(run.exit_code, 4);
  EXPECT_NE(run.out.find(" -> Error OpenFile "), std::string::npos);
  EXPECT_NE(run.out.find("Ready.\n"), std::string::npos);
  EXPECT_EQ(run.err, "quillon: --bind Gadget:WinMain_Btn_Gret=WinMain_Btn_Hello bound nothing\n");
}

}  // namespace
}  // namespace quillon::testing
