#include "project/project_file.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::FakeHost;
using testing::JoinLines;
using testing::L;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class ProjectFileTest : public ::testing::Test {
 protected:
  bool Load(const std::string& content) {
    WriteBytes(dir.File("p.pbm"), content);
    return LoadProject(ws, dir.TextPath("p.pbm"), host);
  }
  TempDir dir;
  Workspace ws;
  FakeHost host;
};

TEST_F(ProjectFileTest, SaveThenLoadGivesTheSameModel) {
  ws.project.files = L({"/src/Main.pbf", "rel/Äbout.pb", "/src/Main.pbf"});
  ws.project.switches = Switches{1, 0, 1, 0, 1, -7, 1};
  ws.project.saved_windows = L({"Main", "About"});
  ws.project.saved_gadgets = L({"Main_OK"});
  ws.project.saved = false;
  ASSERT_TRUE(SaveProject(ws, dir.TextPath("p.pbm"), false, host));
  EXPECT_TRUE(ws.project.saved);
  EXPECT_TRUE(ws.project.has_name);
  EXPECT_EQ(ReadBytes(dir.File("p.pbm")), JoinLines({"[FILES]",
                                                     "/src/Main.pbf",
                                                     "rel/Äbout.pb",
                                                     "/src/Main.pbf",
                                                     "",
                                                     "[SWITCH]",
                                                     "Parend=1",
                                                     "PB_Ignore=0",
                                                     "Multilang=1",
                                                     "Image_Include=0",
                                                     "Image_Null=1",
                                                     "UseCallFast=-7",
                                                     "Utf8=1",
                                                     "",
                                                     "[WINDOW]",
                                                     "Main",
                                                     "About",
                                                     "",
                                                     "[MENU]",
                                                     "",
                                                     "[MENUITEM]",
                                                     "",
                                                     "[STATUSBAR]",
                                                     "",
                                                     "[TOOLBAR]",
                                                     "",
                                                     "[GADGET]",
                                                     "Main_OK",
                                                     ""}));

  Workspace other;
  ASSERT_TRUE(LoadProject(other, dir.TextPath("p.pbm"), host));
  EXPECT_EQ(other.project.files, ws.project.files);
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) {
    EXPECT_EQ(SwitchAt(other.project.switches, i), SwitchAt(ws.project.switches, i)) << i;
  }
  EXPECT_EQ(other.project.saved_windows, ws.project.saved_windows);
  EXPECT_EQ(other.project.saved_gadgets, ws.project.saved_gadgets);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ProjectFileTest, SaveFromThisRunTakesTheAnalysisLists) {
  ws.project.files = L({"a.pbf"});
  ws.project.saved_windows = L({"Old"});
  ws.analysis.windows = L({"New"});
  ws.analysis.menu_items = L({"New_Open", "New_Save"});
  ws.analysis.gadgets = {{"New_OK", "BUTTONGADGET"}};
  ASSERT_TRUE(SaveProject(ws, dir.TextPath("p.pbm"), true, host));
  const std::string text = ReadBytes(dir.File("p.pbm"));
  EXPECT_NE(text.find("[WINDOW]\nNew\n\n"), std::string::npos);
  EXPECT_NE(text.find("[MENUITEM]\nNew_Open\nNew_Save\n\n"), std::string::npos);
  EXPECT_NE(text.find("[GADGET]\nNew_OK\n\n"), std::string::npos);
  EXPECT_EQ(text.find("Old"), std::string::npos);
}

TEST_F(ProjectFileTest, EmptyFileListIsASilentFailure) {
  ws.project.saved = false;
  EXPECT_FALSE(SaveProject(ws, dir.TextPath("p.pbm"), false, host));
  EXPECT_EQ(ReadBytes(dir.File("p.pbm")), "<missing>");
  EXPECT_FALSE(ws.project.saved);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ProjectFileTest, UnwritableTargetShowsTheBoxAndKeepsTheOldFile) {
  ws.project.files = L({"a.pbf"});
  ws.project.saved = false;
  EXPECT_FALSE(SaveProject(ws, dir.TextPath("missing-dir/p.pbm"), false, host));
  EXPECT_EQ(host.errors, std::vector<std::string>{"UserGadgetList: Error save file project"});
  EXPECT_FALSE(ws.project.saved);
}

TEST_F(ProjectFileTest, SwitchLineRules) {
  ws.project.switches.utf8 = 5;  // a key the file lacks keeps its value
  ASSERT_TRUE(Load(JoinLines({"[SWITCH]", "Parend =1", "PB_Ignore= 1", "Multilang=1;", "Image_Include=1",
                              "Image_Include=0", "Image_Null=x", "UseCallFast=3=4", "parend=1", "Bogus=9"})));
  EXPECT_EQ(ws.project.switches.parend, 0);         // blank before "=": no such key
  EXPECT_EQ(ws.project.switches.pb_ignore, 1);      // blank after "=" is harmless
  EXPECT_EQ(ws.project.switches.multilang, 1);      // ";" removed first
  EXPECT_EQ(ws.project.switches.image_include, 0);  // later line wins
  EXPECT_EQ(ws.project.switches.image_null, 0);     // not a number
  EXPECT_EQ(ws.project.switches.use_call_fast, 3);  // up to the next "="
  EXPECT_EQ(ws.project.switches.utf8, 5);
}

TEST_F(ProjectFileTest, SectionRules) {
  ASSERT_TRUE(
      Load("[FILES]\r\na.pbf\rb.pbf\n[SWITCH]\nParend=1\n[WINDOW] \nIgnored\n\nStray\n[OTHER]\nx\n"
           "[GADGET]\nG1\n[GADGET]\nG2"));
  EXPECT_EQ(ws.project.files, L({"a.pbf", "b.pbf"}));  // no empty line needed before [SWITCH]
  EXPECT_EQ(ws.project.switches.parend, 1);
  EXPECT_TRUE(ws.project.saved_windows.empty());         // header with a trailing blank is unknown
  EXPECT_EQ(ws.project.saved_gadgets, L({"G1", "G2"}));  // sections may repeat
  EXPECT_EQ(ws.project.other_sections, L({"[WINDOW] ", "Ignored", "", "Stray", "[OTHER]", "x"}));
  EXPECT_TRUE(ws.project.has_name);
  EXPECT_TRUE(ws.project.saved);
}

TEST_F(ProjectFileTest, BlankLinesAndOtherSectionsSurviveASave) {
  const std::string hand_edited = "[FILES]\na.pbf\n\nb.pbf\n[Tool]\nkey=1\n\n[SWITCH]\nUtf8=1\n\n[GADGET]\n\nG1\n";
  ASSERT_TRUE(Load(hand_edited));
  EXPECT_EQ(ws.project.files, L({"a.pbf", "b.pbf"}));
  EXPECT_EQ(ws.project.saved_gadgets, L({"G1"}));
  ASSERT_TRUE(SaveProject(ws, dir.TextPath("p.pbm"), /*from_this_run=*/false, host));
  const std::string saved = ReadBytes(dir.File("p.pbm"));
  EXPECT_NE(saved.find("[FILES]\na.pbf\nb.pbf\n\n[SWITCH]\n"), std::string::npos) << saved;
  EXPECT_EQ(saved.substr(saved.size() - 27), "[GADGET]\nG1\n\n[Tool]\nkey=1\n\n");
  ASSERT_TRUE(Load(saved));
  ASSERT_TRUE(SaveProject(ws, dir.TextPath("p.pbm"), false, host));
  EXPECT_EQ(ReadBytes(dir.File("p.pbm")), saved);  // stable from the first save on
}

TEST_F(ProjectFileTest, Utf8MarkInFrontIsSkipped) {
  ASSERT_TRUE(Load("\xEF\xBB\xBF[FILES]\n/x/Main.pbf\n"));
  EXPECT_EQ(ws.project.files, L({"/x/Main.pbf"}));
}

TEST_F(ProjectFileTest, FailedLoadLeavesAnEmptyUnnamedModel) {
  ws.project.files = L({"a.pbf"});
  ws.project.saved_windows = L({"W"});
  ws.check.replacements.push_back({"a", "b", 1});
  ws.project.has_name = true;
  ws.project.project_path = "/keep/me.pbm";
  EXPECT_FALSE(LoadProject(ws, dir.TextPath("nothing.pbm"), host));
  EXPECT_TRUE(ws.project.files.empty());
  EXPECT_TRUE(ws.project.saved_windows.empty());
  EXPECT_TRUE(ws.check.replacements.empty());
  EXPECT_FALSE(ws.project.has_name);
  EXPECT_EQ(ws.project.project_path, "/keep/me.pbm");
  EXPECT_EQ(host.errors, std::vector<std::string>{"UserGadgetList: Error open file project"});
}

TEST_F(ProjectFileTest, BinaryGarbageNeverCrashes) {
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
  EXPECT_TRUE(Load(junk));
  EXPECT_TRUE(Load(std::string(10 * 1024 * 1024, 'x')));  // one 10 MB line without section
  EXPECT_TRUE(ws.project.files.empty());
}

}  // namespace
}  // namespace quillon
