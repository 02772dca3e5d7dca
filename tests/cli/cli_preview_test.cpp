// --dry-run and --check: the same run, nothing written, the changes shown.
#include <gtest/gtest.h>

#include <set>

#include "support/quillon_process.h"
#include "io/file_io.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

struct Preview {
  std::string log;
  std::string diffs;
};

Preview SplitPreview(const std::string& out) {
  const std::string end = "Ready.\n\n";
  const size_t at = out.find(end);
  if (at == std::string::npos) return {out, ""};
  return {out.substr(0, at + end.size()), out.substr(at + end.size())};
}

// Names after "+++ b/" and in "~ NAME:" notes.
std::set<std::string> NamedFiles(const std::string& diffs) {
  std::set<std::string> names;
  for (const std::string& line : SplitLines(diffs)) {
    if (line.rfind("+++ b/", 0) == 0) names.insert(line.substr(6));
    if (line.rfind("~ ", 0) == 0) names.insert(line.substr(2, line.find(':') - 2));
  }
  return names;
}

std::set<std::string> ChangedFiles(const std::map<std::string, std::string>& before,
                                   const std::map<std::string, std::string>& after) {
  std::set<std::string> changed;
  for (const auto& [name, bytes] : after) {
    if (name.rfind("Backup/", 0) == 0) continue;
    const auto it = before.find(name);
    if (it == before.end() || it->second != bytes) changed.insert(name);
  }
  return changed;
}

void Edit(const std::string& path, const std::string& from, const std::string& to) {
  std::string text = ReadBytes(path);
  ASSERT_NE(text.find(from), std::string::npos) << from;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  WriteBytes(path, text);
}

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override { CopyExampleProject(dir.path()); }
  ProcessResult Run(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--generate", dir.File("Example.pbm")};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunQuillon(args, dir.path());
  }
  // A dry run must leave the folder as it was, and name exactly what a real run then changes.
  void ExpectPreviewMatchesRealRun(std::vector<std::string> extra = {}) {
    const auto before = SnapshotTree(dir.path());
    std::vector<std::string> dry_args = extra;
    dry_args.push_back("--dry-run");
    const ProcessResult dry = Run(dry_args);
    ASSERT_EQ(dry.exit_code, 0) << dry.out << dry.err;
    EXPECT_EQ(SnapshotTree(dir.path()), before);
    const ProcessResult real = Run(extra);
    ASSERT_EQ(real.exit_code, 0) << real.err;
    const Preview preview = SplitPreview(dry.out);
    EXPECT_EQ(preview.log, real.out);
    EXPECT_EQ(NamedFiles(preview.diffs), ChangedFiles(before, SnapshotTree(dir.path())));
  }
  TempDir dir;
};

TEST_F(PreviewTest, FirstRunPreviewCreatesNothingAndDiffsAgainstDevNull) {
  const ProcessResult dry = Run({"--dry-run"});
  ASSERT_EQ(dry.exit_code, 0) << dry.err;
  EXPECT_FALSE(FileExists(dir.File("Backup")));
  const Preview preview = SplitPreview(dry.out);
  EXPECT_NE(preview.diffs.find("--- /dev/null\n+++ b/Main.pb\n@@ "), std::string::npos) << preview.diffs;
  EXPECT_NE(preview.diffs.find("--- a/Example.pbm\n+++ b/Example.pbm\n"), std::string::npos);
  EXPECT_NE(preview.diffs.find("+WinMain\n"), std::string::npos);  // the saved constants
  ExpectPreviewMatchesRealRun();
}

TEST_F(PreviewTest, PreviewAfterAFormEditMatchesTheRealRun) {
  ASSERT_EQ(Run().exit_code, 0);
  Edit(dir.File("forms/MainWindow.pbf"), "\"Greet\")", "\"Say hello\")");
  ExpectPreviewMatchesRealRun();
}

TEST_F(PreviewTest, PreviewOfABoundRenameMatchesTheRealRun) {
  ASSERT_EQ(Run().exit_code, 0);
  Edit(dir.File("Main.pb"), ";IncludeFile \"???.pb\"", "IncludeFile \"Tools.pbi\"");
  WriteBytes(dir.File("Tools.pbi"), "DisableGadget(#WinAbout_Btn_Close, 1)\n");
  Edit(dir.File("forms/AboutWindow.pbf"), "#Btn_Close", "#Btn_Done");
  ExpectPreviewMatchesRealRun({"--bind", "Gadget:WinAbout_Btn_Close=WinAbout_Btn_Done"});
  EXPECT_EQ(ReadBytes(dir.File("Tools.pbi")), "DisableGadget(#WinAbout_Btn_Done, 1)\n");
}

TEST_F(PreviewTest, CheckIsZeroWhenUpToDateAndThreeAfterAFormEdit) {
  EXPECT_EQ(Run({"--check"}).exit_code, 3);  // nothing generated yet
  ASSERT_EQ(Run().exit_code, 0);
  const ProcessResult clean = Run({"--check"});
  EXPECT_EQ(clean.exit_code, 0) << clean.out;
  EXPECT_EQ(SplitPreview(clean.out).diffs, "");
  Edit(dir.File("forms/AboutWindow.pbf"), "\"About\"", "\"About this program\"");
  const auto before = SnapshotTree(dir.path());
  const ProcessResult dirty = Run({"--check"});
  EXPECT_EQ(dirty.exit_code, 3);
  EXPECT_NE(dirty.out.find("+++ b/CommonFile.pb"), std::string::npos);
  EXPECT_EQ(SnapshotTree(dir.path()), before);
}

TEST_F(PreviewTest, ByteOrderMarkChangeAloneIsOneLine) {
  ASSERT_EQ(Run().exit_code, 0);
  std::string main_pb = ReadBytes(dir.File("Main.pb"));
  ASSERT_EQ(main_pb.rfind("\xEF\xBB\xBF", 0), 0u);
  WriteBytes(dir.File("Main.pb"), main_pb.substr(3));
  const ProcessResult dry = Run({"--dry-run"});
  EXPECT_EQ(SplitPreview(dry.out).diffs, "~ Main.pb: encoding or line ends change\n");
}

TEST_F(PreviewTest, CancelledPreviewExitsWithOneAndWritesNothing) {
  ASSERT_EQ(Run().exit_code, 0);
  Edit(dir.File("forms/AboutWindow.pbf"), "#Btn_Close", "#Btn_Done");
  const auto before = SnapshotTree(dir.path());
  const ProcessResult check = Run({"--check"});
  EXPECT_EQ(check.exit_code, 1);
  EXPECT_NE(check.err.find("unbound Gadget: WinAbout_Btn_Close"), std::string::npos);
  EXPECT_EQ(SnapshotTree(dir.path()), before);
}

}  // namespace
}  // namespace quillon::testing
