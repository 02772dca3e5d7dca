#include "generate/generated_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "generate/templates.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;
using testing::TempDir;
using testing::WriteBytes;

class ReadGeneratedFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws.project.project_path = dir.TextPath("P.pbm");
    ws.project.has_name = true;
  }
  TempDir dir;
  Workspace ws;
};

TEST_F(ReadGeneratedFilesTest, EmptyProjectDirectoryGivesTemplatesAndEmptyLists) {
  ws.project.switches.use_call_fast = 1;
  ReadGeneratedFiles(ws);
  const AnalysisModel& m = ws.analysis;
  EXPECT_EQ(m.main_lines, MainTemplate());
  EXPECT_EQ(m.event_main_lines, EventMainCallTableTemplate());
  EXPECT_EQ(m.load_language_lines, LoadLanguageTemplate());
  EXPECT_TRUE(m.event_menu_lines.empty());
  EXPECT_TRUE(m.event_gadget_lines.empty());
  EXPECT_TRUE(m.event_window_lines.empty());
  EXPECT_EQ(m.language_strings.Size(), 0u);
  EXPECT_EQ(MainTemplate().size(), 80u);
}

TEST_F(ReadGeneratedFilesTest, ExistingFilesAreReadByTheirMarkAndLineEnds) {
  WriteBytes(dir.File("Main.pb"), "\xEF\xBB\xBF; Main \xC3\xA4\r\nIncludeFile \"Mine.pb\"\r\n\r\nEnd\r\n");
  WriteBytes(dir.File("LoadLanguage.pb"), std::string("\xFF\xFE", 2) + std::string("a\0\r\0b\0", 6));
  WriteBytes(dir.File("EventMain.pb"), "user edits that are never read\n");
  WriteBytes(dir.File("EventMenu.pb"), "Procedure EventMenu_A() ; caf\xE9\rEndProcedure\r\n\n; IDE Options\n; Folding");
  ReadGeneratedFiles(ws);
  const AnalysisModel& m = ws.analysis;
  EXPECT_EQ(m.main_lines, L({"; Main \xC3\xA4", "IncludeFile \"Mine.pb\"", "", "End"}));
  EXPECT_EQ(m.load_language_lines, L({"a", "b"}));
  EXPECT_EQ(m.event_main_lines, EventMainSelectTemplate());
  // No mark: one byte per character, so E9 is U+00E9.
  EXPECT_EQ(m.event_menu_lines, L({"Procedure EventMenu_A() ; caf\xC3\xA9", "EndProcedure", ""}));
}

TEST_F(ReadGeneratedFilesTest, EventFilesLoseOnlyTheEditorsOptionBlock) {
  WriteBytes(dir.File("EventGadget.pb"),
             "; top\nProcedure EventGadget_G(EventType)\nEndProcedure\n; a\n; IDE Options = x\n;b\n");
  WriteBytes(dir.File("EventWindow.pb"), "; only\n; comments\n");
  ReadGeneratedFiles(ws);
  EXPECT_EQ(ws.analysis.event_gadget_lines, L({"; top", "Procedure EventGadget_G(EventType)", "EndProcedure", "; a"}));
  EXPECT_EQ(ws.analysis.event_window_lines, L({"; only", "; comments"}));
}

TEST_F(ReadGeneratedFilesTest, CatalogIsReadWhateverTheMultilangSwitch) {
  ws.project.switches.multilang = 0;
  WriteBytes(dir.File("Catalog"), "Open;Auf\n\"Close\";\"Zu\"\n\"Quit\";\"\"\n");
  ReadGeneratedFiles(ws);
  const LanguageMap& strings = ws.analysis.language_strings;
  EXPECT_FALSE(strings.Contains(T("Open")));  // the first line is the header
  ASSERT_NE(strings.Find(T("Close")), nullptr);
  EXPECT_EQ(ToUtf8(*strings.Find(T("Close"))), "Zu");
  ASSERT_NE(strings.Find(T("Quit")), nullptr);
  EXPECT_EQ(ToUtf8(*strings.Find(T("Quit"))), "Quit");
}

TEST_F(ReadGeneratedFilesTest, UnreadableMainFallsBackToTheTemplate) {
  ASSERT_EQ(::mkdir(dir.File("Main.pb").c_str(), 0700), 0);  // a directory cannot be read as a file
  ReadGeneratedFiles(ws);
  EXPECT_EQ(ws.analysis.main_lines, MainTemplate());
}

}  // namespace
}  // namespace quillon
