#include "rewrite/step3.h"

#include <gtest/gtest.h>

#include "rewrite/test_writers.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::FakeHost;
using testing::L;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Strings = std::vector<std::string>;

TEST(RunStep3, LogsEveryPassAndRenamesMemoryAndIncludes) {
  TempDir dir;
  Workspace ws;
  FakeHost host;
  ws.project.project_path = dir.TextPath("Demo.pbm");
  WriteBytes(dir.File("Main.pb"), "main");
  const std::string include = dir.File("Tools.pbi");
  WriteBytes(include, "x = Open_Main()\n");
  ws.analysis.include_files.push_back(FromUtf8(include));
  ws.analysis.main_lines = L({"Open_Main()", "#Main_OK"});
  ws.check.replacements = {{"Main", "Start", kKindWindow}};

  RunStep3(ws, host);

  EXPECT_EQ(host.log, (Strings{"Generate Code Step 3 ...", "- Make Backup...", "- Update Prefix", "- Update Procedure",
                               "- Update Constants", "- Update Open Window", "- Update IncludeFiles",
                               " -> Update Includefile " + include + " / Count Change: 1",
                               // the renamed lines of the user's own files, after the includes
                               " -> Update " + dir.File("Main.pb") + " / Count Change: 2"}));
  EXPECT_EQ(ReadBytes(dir.File("Backup/Main.pb")), "main");
  // The backup holds the include file as it was before the rename.
  EXPECT_EQ(ReadBytes(dir.File("Backup/Tools.pbi")), "x = Open_Main()\n");
  EXPECT_EQ(ReadBytes(include), "x = Open_Start()\n");
  EXPECT_EQ(testing::ToUtf8Lines(ws.analysis.main_lines), testing::JoinLines({"Open_Start()", "#Start_OK"}));
}

TEST(RunStep3, RenameReachesAllFiveUserFilesAndLogsThemInOrder) {
  TempDir dir;
  Workspace ws;
  FakeHost host;
  ws.project.project_path = dir.TextPath("Demo.pbm");
  ws.analysis.main_lines = L({"x = #Main_A"});
  ws.analysis.event_menu_lines = L({"x = #Main_B"});
  ws.analysis.event_gadget_lines = L({"x = #Main_C"});
  ws.analysis.event_window_lines = L({"x = #Main_D", "y = #Main_E"});
  ws.analysis.event_designer_lines = L({"x = #Main_F"});
  ws.check.replacements = {{"Main", "Start", kKindWindow}};

  RunStep3(ws, host);

  ASSERT_GE(host.log.size(), 5u);
  const Strings tail(host.log.end() - 5, host.log.end());
  EXPECT_EQ(tail, (Strings{" -> Update " + dir.File("Main.pb") + " / Count Change: 1",
                           " -> Update " + dir.File("EventMenu.pb") + " / Count Change: 1",
                           " -> Update " + dir.File("EventGadget.pb") + " / Count Change: 1",
                           " -> Update " + dir.File("EventWindow.pb") + " / Count Change: 2",
                           " -> Update " + dir.File("EventDesigner.pb") + " / Count Change: 1"}));
  EXPECT_EQ(testing::ToUtf8Lines(ws.analysis.event_window_lines), testing::JoinLines({"x = #Start_D", "y = #Start_E"}));
}

TEST(RunStep3, BackupFailureDoesNotStopTheUpdates) {
  TempDir dir;
  Workspace ws;
  FakeHost host;
  ws.project.project_path = dir.TextPath("Demo.pbm");
  WriteBytes(dir.File("Backup"), "a file in the way");
  ws.analysis.event_gadget_lines = L({"Procedure EventGadget_Main_OK()"});
  ws.check.replacements = {{"Main_OK", "Main_Go", kKindGadget}};

  RunStep3(ws, host);

  ASSERT_EQ(host.log.size(), 9u);
  EXPECT_EQ(host.log[2], "- Error CopyDirectory");
  EXPECT_EQ(host.log[7], "- Update IncludeFiles");
  EXPECT_EQ(host.log[8], " -> Update " + dir.File("EventGadget.pb") + " / Count Change: 1");
  EXPECT_EQ(ToUtf8(ws.analysis.event_gadget_lines[0]), "Procedure EventGadget_Main_Go()");
}

}  // namespace
}  // namespace quillon
