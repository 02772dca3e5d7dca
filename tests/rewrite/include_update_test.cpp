#include "rewrite/include_update.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "rewrite/test_writers.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::FakeHost;
using testing::L;
using testing::ReadBytes;
using testing::RecordingWriter;
using testing::TempDir;
using testing::WriteBytes;
using Strings = std::vector<std::string>;

const std::string kBom = "\xEF\xBB\xBF";

struct IncludeFixture {
  TempDir dir;
  Workspace ws;
  FakeHost host;
  RecordingWriter writer;

  IncludeFixture() { ws.files = &writer; }
  std::string Add(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    WriteBytes(path, bytes);
    ws.analysis.include_files.push_back(FromUtf8(path));
    return path;
  }
  void Bind(const std::string& old_name, const std::string& new_name, int kind) {
    ws.check.replacements.push_back({FromUtf8(old_name), FromUtf8(new_name), kind});
  }
};

TEST(IncludeRules, CountsEveryChangedLinePerRuleAndRecord) {
  const std::vector<Replacement> records = {{"Main", "Start", kKindWindow}, {"Start_OK", "Start_Done", kKindGadget}};
  Lines lines = L({"x = #Main_OK", "Open_Main() : y = #main", "nothing here", "#Main_OK2 = #MAIN_OK"});
  // Line 1: prefix rule (#Start_OK), then the gadget record (#Start_Done): 2.
  // Line 2: constant #main, then Open_Main(): 2.
  // Line 4: prefix rule on both, then the gadget record on the second: 2.
  EXPECT_EQ(ApplyIncludeRules(records, &lines), 6);
  EXPECT_EQ(testing::ToUtf8Lines(lines), testing::JoinLines({"x = #Start_Done", "Open_Start() : y = #Start",
                                                             "nothing here", "#Start_OK2 = #Start_Done"}));
}

TEST(IncludeRules, NonWindowRecordsOnlyRenameConstants) {
  Lines lines = L({"#Tb_x = 1", "Open_Tb()", "#Tb"});
  EXPECT_EQ(ApplyIncludeRules({{"Tb", "Bar", kKindToolBar}}, &lines), 1);
  EXPECT_EQ(testing::ToUtf8Lines(lines), testing::JoinLines({"#Tb_x = 1", "Open_Tb()", "#Bar"}));
}

TEST(IncludeUpdate, RewritesChangedFileWithLfAndLogsCount) {
  IncludeFixture f;
  const std::string path = f.Add("Tools.pbi", "a = #Main_OK\r\nb = 2\r\nc = #Main_OK + #Main_OK\r\n");
  f.Bind("Main_OK", "Main_Cancel", kKindGadget);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), "a = #Main_Cancel\nb = 2\nc = #Main_Cancel + #Main_Cancel\n");
  EXPECT_EQ(f.host.log, Strings{" -> Update Includefile " + path + " / Count Change: 2"});
}

TEST(IncludeUpdate, UnchangedFileKeepsItsBytesAndIsNotWritten) {
  IncludeFixture f;
  const std::string original = "x = #Other\r\n#Main_OK2\r\nno final line end";
  const std::string path = f.Add("Keep.pbi", original);
  f.Bind("Main_OK", "Main_Cancel", kKindGadget);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_TRUE(f.writer.written.empty());
  EXPECT_TRUE(f.host.log.empty());
}

// Main.pb may include a form of the file list, under its own name or a
// link: the form is the designer's file and keeps its bytes.
TEST(IncludeUpdate, AFormOfTheFileListIsNeverRewritten) {
  IncludeFixture f;
  f.ws.project.project_path = FromUtf8(f.dir.File("P.pbm"));
  f.ws.analysis.source_files = L({"Form.pbf"});
  const std::string form_text = "ButtonGadget(#Win_Btn, 1, 1, 1, 1, \"Go\")\n";
  const std::string form = f.Add("Form.pbf", form_text);
  ASSERT_EQ(::symlink("Form.pbf", f.dir.File("Link.pbf").c_str()), 0);
  f.ws.analysis.include_files.push_back(FromUtf8(f.dir.File("Link.pbf")));
  const std::string user = f.Add("User.pbi", "x = #Win_Btn\n");
  f.Bind("Win", "Main", kKindWindow);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(form), form_text);
  EXPECT_EQ(ReadBytes(user), "x = #Main_Btn\n");
  EXPECT_EQ(f.host.log, Strings{" -> Update Includefile " + user + " / Count Change: 1"});
}

TEST(IncludeUpdate, Utf8MarkIsKeptAndTextSurvives) {
  IncludeFixture f;
  const std::string path = f.Add("Utf.pbi", kBom + "; Grüße\r\nx = #Main\n");
  f.Bind("Main", "Start", kKindWindow);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), kBom + "; Grüße\nx = #Start\n");
}

TEST(IncludeUpdate, SingleByteFileIsWrittenBackSingleByte) {
  IncludeFixture f;
  const std::string path = f.Add("Latin.pbi", "; caf\xE9\nx = #Main\n");
  f.Bind("Main", "Start", kKindWindow);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), "; caf\xE9\nx = #Start\n");
}

TEST(IncludeUpdate, SingleByteFileRefusesNamesItCannotHold) {
  IncludeFixture f;
  const std::string original = "x = #Main\n";
  const std::string path = f.Add("Narrow.pbi", original);
  f.Bind("Main", "Start\xE2\x82\xAC", kKindWindow);  // a euro sign
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), original);
  ASSERT_EQ(f.host.log.size(), 2u);
  EXPECT_EQ(f.host.log[1], " -> Error WriteFile " + path + " / Errorcode: 1");
}

TEST(IncludeUpdate, WideCharacterFilesAreSkipped) {
  IncludeFixture f;
  const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("#\0M\0a\0i\0n\0\n\0", 12);
  const std::string utf32 = std::string("\xFF\xFE\0\0", 4) + std::string("#\0\0\0", 4);
  const std::string p16 = f.Add("Wide16.pbi", utf16);
  const std::string p32 = f.Add("Wide32.pbi", utf32);
  f.Bind("Main", "Start", kKindWindow);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(p16), utf16);
  EXPECT_EQ(ReadBytes(p32), utf32);
  EXPECT_TRUE(f.writer.written.empty());
  EXPECT_TRUE(f.host.log.empty());
}

TEST(IncludeUpdate, MissingOrUnreadableFilesAreReportedNotCreated) {
  IncludeFixture f;
  const std::string missing = f.dir.File("Missing.pbi");
  f.ws.analysis.include_files.push_back(FromUtf8(missing));
  const std::string folder = f.dir.File("Folder.pbi");
  ASSERT_TRUE(MakeDirectory(folder, 0700));
  f.ws.analysis.include_files.push_back(FromUtf8(folder));
  const std::string good = f.Add("Good.pbi", "#Main\n");
  f.Bind("Main", "Start", kKindWindow);

  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_FALSE(FileExists(missing));
  EXPECT_EQ(f.host.log, (Strings{" -> Error OpenFile " + missing + " / Errorcode: 1",
                                 " -> Error OpenFile " + folder + " / Errorcode: 1",
                                 " -> Update Includefile " + good + " / Count Change: 1"}));
  EXPECT_EQ(ReadBytes(good), "#Start\n");
}

TEST(IncludeUpdate, FailedWriteKeepsOldContent) {
  IncludeFixture f;
  const std::string path = f.Add("Locked.pbi", "#Main\r\n");
  f.writer.failing.insert(path);
  f.Bind("Main", "Start", kKindWindow);
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), "#Main\r\n");
  EXPECT_EQ(f.host.log, (Strings{" -> Update Includefile " + path + " / Count Change: 1",
                                 " -> Error WriteFile " + path + " / Errorcode: 1"}));
}

TEST(IncludeUpdate, NoBindingsWritesNothingButStillReadsEveryFile) {
  IncludeFixture f;
  const std::string path = f.Add("Any.pbi", "#Main\n");
  const std::string missing = f.dir.File("Gone.pbi");
  f.ws.analysis.include_files.push_back(FromUtf8(missing));
  UpdateIncludeFiles(f.ws, f.host);
  EXPECT_EQ(ReadBytes(path), "#Main\n");
  EXPECT_TRUE(f.writer.written.empty());
  EXPECT_EQ(f.host.log, Strings{" -> Error OpenFile " + missing + " / Errorcode: 1"});
}

}  // namespace
}  // namespace quillon
