#include "generate/step4.h"

#include <gtest/gtest.h>

#include "rewrite/test_writers.h"
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "generate/step4_fixture.h"
#include "generate/templates.h"
#include "io/file_io.h"
#include "text/encoding.h"

namespace quillon {
namespace {

using testing::FormObjects;
using testing::L;
using testing::SampleObjects;
using testing::Step4Project;
using testing::WriteBytes;

const std::string kBom = "\xEF\xBB\xBF";

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  ListDirectory(dir, &names);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Step4Test, FirstRunLogsCountsAndWritesTheSixFiles) {
  Step4Project p;
  p.Run(SampleObjects());
  const std::string d = p.dir.path();
  std::vector<std::string> expected = {"Generate Code Step 4 ...", "- Create new code...",  " -> Count Window: 2",
                                       " -> Count MenuBar: 1",     " -> Count MenuItem: 3", " -> Count StatusBar: 1",
                                       " -> Count ToolBar: 1",     " -> Count Gadget: 5",   " -> Count Image: 1",
                                       "- Write Files..."};
  for (const std::string& name : testing::AlwaysWrittenFiles()) expected.push_back(" -> Write File " + d + name);
  expected.push_back("Ready.");
  expected.push_back("");
  EXPECT_EQ(p.host.log, expected);
  EXPECT_TRUE(p.host.errors.empty());
  EXPECT_EQ(Names(d), (std::vector<std::string>{"CommonFile.pb", "Demo.pbm", "EventGadget.pb", "EventMain.pb",
                                                "EventMenu.pb", "EventWindow.pb", "Main.pb"}));
}

TEST(Step4Test, SnapshotTakesThisRunsConstants) {
  Step4Project p;
  p.ws.project.saved_windows = L({"Gone"});
  p.ws.project.saved_gadgets = L({"Gone_Gadget"});
  p.Run(SampleObjects());
  const Project& project = p.ws.project;
  EXPECT_EQ(project.saved_windows, L({"WinMain", "WinAbout"}));
  EXPECT_EQ(project.saved_menu_bars, L({"WinMain_Menu"}));
  EXPECT_EQ(project.saved_menu_items, L({"WinMain_Open", "WinMain_Quit", "WinMain_TbSave"}));
  EXPECT_EQ(project.saved_status_bars, L({"WinMain_Status"}));
  EXPECT_EQ(project.saved_tool_bars, L({"WinMain_Tools"}));
  EXPECT_EQ(project.saved_gadgets,
            L({"WinMain_Ok", "WinMain_Label", "WinMain_Frame", "WinMain_List", "WinAbout_Close"}));
  // The project file was saved with them.
  const std::string project_file = p.Read("Demo.pbm");
  EXPECT_NE(project_file.find("WinAbout_Close"), std::string::npos);
  EXPECT_EQ(project_file.find("Gone"), std::string::npos);
}

TEST(Step4Test, MainTemplateIsFilledForTheFirstWindow) {
  Step4Project p;
  p.Run(SampleObjects());
  Lines expected = MainTemplate();
  expected[40] = T("  Open_WinMain()");
  expected[42] = T("  If WindowID(#WinMain)");
  EXPECT_EQ(p.Read("Main.pb"), EncodeLines(expected, kOutputUtf8));
  EXPECT_EQ(p.Read("Main.pb").substr(0, 3), kBom);
}

TEST(Step4Test, NoMenuItemsWriteTheSixLineEventMenu) {
  Step4Project p;
  FormObjects objects = SampleObjects();
  objects.menu_items.clear();
  p.Run(objects, kOutputAscii);
  EXPECT_EQ(p.Read("EventMenu.pb"),
            testing::JoinLines({";-TOP", "", "; Quillon Event Menu", "", "; " + std::string(87, '*'), ""}));
}

TEST(Step4Test, TextAndFrameGadgetsGetTableSlotsButNoProcedures) {
  Step4Project p;
  p.ws.project.switches.use_call_fast = 1;
  p.Run(SampleObjects());
  const std::string gadgets = p.Read("EventGadget.pb");
  EXPECT_NE(gadgets.find("Procedure EventGadget_WinMain_Ok(EventType)"), std::string::npos);
  EXPECT_NE(gadgets.find("Procedure EventGadget_WinMain_List(EventType)"), std::string::npos);
  EXPECT_EQ(gadgets.find("WinMain_Label"), std::string::npos);
  EXPECT_EQ(gadgets.find("WinMain_Frame"), std::string::npos);
  const std::string main = p.Read("EventMain.pb");
  EXPECT_NE(main.find("  CallEventGadget:\n    Data.i @EventGadget_WinMain_Ok()\n    Data.i @MyEventDispatch()\n"
                      "    Data.i @MyEventDispatch()\n    Data.i @EventGadget_WinMain_List()\n"),
            std::string::npos);
  EXPECT_NE(main.find("#CallEventGadgetCount = 5\n"), std::string::npos);
}

TEST(Step4Test, SwitchingUseCallFastReplacesTheWholeEventMain) {
  Step4Project p;
  p.ws.project.switches.use_call_fast = 1;
  p.Run(SampleObjects());
  EXPECT_NE(p.Read("EventMain.pb").find("DataSection"), std::string::npos);
  p.ws.project.switches.use_call_fast = 0;
  p.Run(SampleObjects());
  const std::string select_form = p.Read("EventMain.pb");
  EXPECT_EQ(select_form.find("DataSection"), std::string::npos);
  EXPECT_NE(select_form.find("  Select MenuID\n    Case #WinMain_Open : EventMenu_WinMain_Open()\n"),
            std::string::npos);
}

// A second run over the files of the first, with the user's edits in them,
// must write the same bytes again.
void ExpectStableRegeneration(bool call_fast) {
  Step4Project p;
  p.ws.project.switches.multilang = 1;
  p.ws.project.switches.use_call_fast = call_fast ? 1 : 0;
  const FormObjects objects = SampleObjects();
  p.Run(objects);

  // The user's edits: code inside an event procedure, an include in Main.pb,
  // a translation in the catalog.
  std::string menu = p.Read("EventMenu.pb");
  const std::string sig = "Procedure EventMenu_WinMain_Quit()\n  \n";
  ASSERT_NE(menu.find(sig), std::string::npos);
  menu.replace(menu.find(sig), sig.size(), "Procedure EventMenu_WinMain_Quit()\n  End ; user code\n");
  WriteBytes(p.dir.File("EventMenu.pb"), menu);
  std::string main = p.Read("Main.pb");
  const std::string user_include = ";IncludeFile \"???.pb\"\n";
  ASSERT_NE(main.find(user_include), std::string::npos);
  main.replace(main.find(user_include), user_include.size(), "IncludeFile \"Tools.pb\"\n");
  WriteBytes(p.dir.File("Main.pb"), main);
  std::string catalog = p.Read("Catalog");
  ASSERT_NE(catalog.find("\"Close\";\"\""), std::string::npos);
  catalog.replace(catalog.find("\"Close\";\"\""), 10, "\"Close\";\"Schlie\xC3\x9F\x65n\"");
  WriteBytes(p.dir.File("Catalog"), catalog);

  std::vector<std::string> names = testing::AlwaysWrittenFiles();
  names.push_back("LoadLanguage.pb");
  names.push_back("Catalog");
  std::vector<std::string> before;
  for (const std::string& name : names) before.push_back(p.Read(name));

  p.host.log.clear();
  p.Run(objects);
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(p.Read(names[i]), before[i]) << names[i];
  EXPECT_NE(p.Read("Catalog").find("\"Close\";\"Schlie\xC3\x9F\x65n\""), std::string::npos);
  EXPECT_NE(p.Read("EventMenu.pb").find("  End ; user code\n"), std::string::npos);
  EXPECT_NE(p.Read("Main.pb").find("IncludeFile \"Tools.pb\"\n"), std::string::npos);
  EXPECT_EQ(p.host.log.size(), 10u + names.size() + 2u);
}

TEST(Step4Test, RegeneratingWithoutChangesKeepsEveryFileByteForByte) {
  ExpectStableRegeneration(true);
  ExpectStableRegeneration(false);
}

TEST(Step4Test, MultilangWritesLoadLanguageAndCatalogLast) {
  Step4Project p;
  p.ws.project.switches.multilang = 1;
  FormObjects objects = SampleObjects();
  objects.texts = L({"B", "A"});  // buckets 66 and 65
  p.Run(objects);
  const std::string d = p.dir.path();
  ASSERT_GE(p.host.log.size(), 4u);
  EXPECT_EQ(p.host.log[p.host.log.size() - 4], " -> Write File " + d + "LoadLanguage.pb");
  EXPECT_EQ(p.host.log[p.host.log.size() - 3], " -> Write File " + d + "Catalog");
  EXPECT_EQ(p.Read("Catalog"), kBom + "Default;Language\n\"A\";\"\"\n\"B\";\"\"\n");
  EXPECT_NE(
      p.Read("LoadLanguage.pb").find("  DefaultLanguage:\n  Data.s \"A\"\n  Data.s \"B\"\n  EndDefaultLanguage:\n"),
      std::string::npos);
  EXPECT_NE(p.Read("CommonFile.pb").find("IncludeFile \"LoadLanguage.pb\"\n"), std::string::npos);
}

TEST(Step4Test, MultilangOffLeavesOldLanguageFilesAlone) {
  Step4Project p;
  WriteBytes(p.dir.File("Catalog"), "old catalog\r\n");
  WriteBytes(p.dir.File("LoadLanguage.pb"), "old language\r\n");
  p.Run(SampleObjects());
  EXPECT_EQ(p.Read("Catalog"), "old catalog\r\n");
  EXPECT_EQ(p.Read("LoadLanguage.pb"), "old language\r\n");
  EXPECT_EQ(p.Read("CommonFile.pb").find("LoadLanguage"), std::string::npos);
}

TEST(Step4Test, OutputFormatChoosesMarkAndEncoding) {
  FormObjects objects = SampleObjects();
  objects.form_code.push_back(
      T("  ; Gr\xC3\xB6\xC3\x9F"
        "e"));  // ö and ß fit one byte
  Step4Project single;
  single.Run(objects, kOutputAscii);
  const std::string common_single = single.Read("CommonFile.pb");
  EXPECT_EQ(common_single.substr(0, 2), "; ");
  EXPECT_NE(common_single.find("  ; Gr\xF6\xDF"
                               "e\n"),
            std::string::npos);
  for (const std::string& name : testing::AlwaysWrittenFiles()) {
    EXPECT_NE(single.Read(name).substr(0, 3), kBom) << name;
  }
  Step4Project utf8;
  utf8.Run(objects, kOutputUtf8);
  const std::string common_utf8 = utf8.Read("CommonFile.pb");
  EXPECT_EQ(common_utf8.substr(0, 3), kBom);
  EXPECT_NE(common_utf8.find("  ; Gr\xC3\xB6\xC3\x9F"
                             "e\n"),
            std::string::npos);
  EXPECT_EQ(common_utf8.find('\r'), std::string::npos);
}

TEST(Step4Test, WideCharacterInSingleByteRunWritesThatFileAsUtf8) {
  Step4Project p;
  FormObjects objects = SampleObjects();
  objects.form_code.push_back(T("  ; 20 \xE2\x82\xAC"));  // the euro sign needs more than one byte
  p.Run(objects, kOutputAscii);
  const std::string path = p.dir.File("CommonFile.pb");
  const auto warning = std::find(p.host.log.begin(), p.host.log.end(), " -> Warning: UTF-8 needed for " + path);
  ASSERT_NE(warning, p.host.log.end());
  ASSERT_NE(warning + 1, p.host.log.end());
  EXPECT_EQ(*(warning + 1), " -> Write File " + path);
  const std::string common = p.Read("CommonFile.pb");
  EXPECT_EQ(common.substr(0, 3), kBom);
  EXPECT_NE(common.find("  ; 20 \xE2\x82\xAC\n"), std::string::npos);
  EXPECT_NE(p.Read("Main.pb").substr(0, 3), kBom);  // the other files stay single-byte
  EXPECT_EQ(std::count_if(p.host.log.begin(), p.host.log.end(),
                          [](const std::string& l) { return l.find("UTF-8 needed") != std::string::npos; }),
            1);
}

TEST(Step4Test, CrLfFilesAreWrittenBackWithLf) {
  Step4Project p;
  WriteBytes(p.dir.File("Main.pb"), "; mine\r\n  If WindowID(#Old)\r\nEnd\r\n");
  WriteBytes(p.dir.File("EventWindow.pb"),
             "Procedure EventSize_WinMain()\r\nEndProcedure\r\nProcedure EventExit_WinMain()\r\nEndProcedure\r\n");
  FormObjects objects = SampleObjects();
  objects.windows = L({"WinMain"});
  p.Run(objects, kOutputAscii);
  EXPECT_EQ(p.Read("Main.pb"), "; mine\n  If WindowID(#WinMain)\nEnd\n");
  EXPECT_EQ(p.Read("EventWindow.pb"),
            "Procedure EventSize_WinMain()\nEndProcedure\nProcedure EventExit_WinMain()\nEndProcedure\n");
}

TEST(Step4Test, AFailedFileIsReportedAndTheOthersAreStillWritten) {
  Step4Project p;
  WriteBytes(p.dir.File("EventGadget.pb"), "; old gadget file\n");
  testing::RecordingWriter writer;
  writer.failing.insert(p.dir.path() + "EventGadget.pb");
  p.ws.files = &writer;
  p.Run(SampleObjects());
  const std::string d = p.dir.path();
  const std::vector<std::string> tail(p.host.log.end() - 8, p.host.log.end());
  EXPECT_EQ(tail,
            (std::vector<std::string>{" -> Write File " + d + "Main.pb", " -> Write File " + d + "CommonFile.pb",
                                      " -> Write File " + d + "EventMain.pb", " -> Write File " + d + "EventMenu.pb",
                                      " -> Error File " + d + "EventGadget.pb / Errorcode: 1",
                                      " -> Write File " + d + "EventWindow.pb", "Ready.", ""}));
  EXPECT_EQ(p.Read("EventGadget.pb"), "; old gadget file\n");
  EXPECT_NE(p.Read("EventWindow.pb"), "<missing>");
}

// A read-only project directory: every file fails, nothing is changed, and the
// run still ends normally. Runs in a child process that gives up root rights
// first, since root would be allowed to write anyway.
TEST(Step4Test, ReadOnlyProjectDirectoryGivesOneErrorLinePerFile) {
  Step4Project p;
  const std::string old_main = "; previous Main.pb\n  If WindowID(#Old)\n";
  WriteBytes(p.dir.File("Main.pb"), old_main);
  WriteBytes(p.dir.File("Catalog"), "Default;Language\n\"Hi\";\"Hallo\"\n");
  ::chmod(p.dir.File("Main.pb").c_str(), 0644);
  ::chmod(p.dir.File("Catalog").c_str(), 0644);
  ASSERT_EQ(::chmod(p.dir.path().c_str(), 0555), 0);
  const std::vector<std::string> before = Names(p.dir.path());
  p.ws.project.switches.multilang = 1;

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
    p.Run(SampleObjects());
    std::vector<std::string> expected;
    const std::string d = p.dir.path();
    for (const char* name : {"Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb",
                             "EventWindow.pb", "LoadLanguage.pb", "Catalog"}) {
      expected.push_back(" -> Error File " + d + name + " / Errorcode: 1");
    }
    expected.push_back("Ready.");
    expected.push_back("");
    const std::vector<std::string> tail(p.host.log.end() - static_cast<long>(expected.size()), p.host.log.end());
    const bool ok = tail == expected && p.host.errors.size() == 1;
    if (!ok) {
      for (const std::string& line : p.host.log) std::fprintf(stderr, "log: %s\n", line.c_str());
      for (const std::string& line : p.host.errors) std::fprintf(stderr, "box: %s\n", line.c_str());
    }
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot give up root rights";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "log differs (printed above)";
  EXPECT_EQ(p.Read("Main.pb"), old_main);
  EXPECT_EQ(Names(p.dir.path()), before);  // no file and no temporary file left
}

}  // namespace
}  // namespace quillon
