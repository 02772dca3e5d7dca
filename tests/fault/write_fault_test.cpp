// Each file a run writes, made to fail on its own: the old bytes stay, no
// temporary file is left, the failure is reported and the run goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <sys/stat.h>

#include <cstdlib>

#include "fault/fault_support.h"
#include "rewrite/test_writers.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

const char* const kGenerated[] = {"Main.pb",        "CommonFile.pb",  "EventMain.pb",    "EventMenu.pb",
                                  "EventGadget.pb", "EventWindow.pb", "LoadLanguage.pb", "Catalog"};

std::string Tail() { return " / Errorcode: 1"; }

// The record of the run for undo: written last, and naming only the files
// that were written, so its bytes follow the failures.
constexpr char kUndoRecord[] = "Backup/undo/last-run";
Tree WithoutUndoRecord(Tree files) {
  files.erase(kUndoRecord);
  return files;
}

// How a failed write of `rel` must show up, given the run's log and boxes.
void ExpectReported(const std::string& dir, const std::string& rel, const std::vector<std::string>& log,
                    const std::vector<std::string>& boxes) {
  const std::string path = dir + rel;
  if (rel == kUndoRecord) {
    EXPECT_TRUE(HasLine(boxes, "Error: Error write undo record " + path)) << rel;
  } else if (rel.rfind("Backup/", 0) == 0) {
    EXPECT_TRUE(HasLine(log, "- Error CopyDirectory")) << rel;
  } else if (rel == "Tools.pbi") {
    EXPECT_TRUE(HasLine(log, " -> Error WriteFile " + path + Tail())) << rel;
  } else if (rel == "Example.pbm") {
    EXPECT_TRUE(HasLine(boxes, "UserGadgetList: Error save file project")) << rel;
  } else {
    EXPECT_TRUE(HasLine(log, " -> Error File " + path + Tail())) << rel;
    EXPECT_FALSE(HasLine(log, " -> Write File " + path)) << rel;  // never shown as written
  }
}

size_t CountErrors(const std::vector<std::string>& log) {
  size_t n = 0;
  for (const std::string& line : log) n += line.find("Error") != std::string::npos;
  return n;
}

void ExpectReadyEnd(const std::vector<std::string>& log) {
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Ready.");
  EXPECT_EQ(log.back(), "");
}

class WriteFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TempDir pre;
    PrepareRenamedProject(pre.path());
    before_ = new Tree(SnapshotTree(pre.path()));
  }
  static void TearDownTestSuite() {
    delete before_;
    before_ = nullptr;
  }
  static Tree* before_;
};
Tree* WriteFaults::before_ = nullptr;

TEST_F(WriteFaults, EachWriteFailingAloneKeepsItsOldBytesAndEverythingElseIsNew) {
  // A complete run tells which files are written and what they become.
  TempDir ref;
  RestoreTree(ref.path(), *before_);
  RecordingWriter recorder;
  const InProcessRun reference = RunRenamedInProcess(ref.path(), &recorder);
  ASSERT_EQ(reference.outcome, RunOutcome::kReady);
  EXPECT_EQ(CountErrors(reference.log) + reference.errors.size(), 0u);
  const Tree after = SnapshotTree(ref.path());
  std::vector<std::string> written;
  for (const std::string& path : recorder.written) {
    ASSERT_EQ(path.rfind(ref.path(), 0), 0u) << path;
    written.push_back(path.substr(ref.path().size()));
  }
  // Every kind of output is among them, and each really changes.
  for (const char* name : kGenerated) EXPECT_TRUE(HasLine(written, name)) << name;
  for (const char* name : {"Tools.pbi", "Example.pbm", "Backup/Main.pb", "Backup/EventGadget.pb", "Backup/Tools.pbi",
                           "Backup/Example.pbm"}) {
    EXPECT_TRUE(HasLine(written, name)) << name;
  }
  for (const char* name : {"Main.pb", "EventGadget.pb", "CommonFile.pb", "Tools.pbi", "Example.pbm"}) {
    EXPECT_NE(after.at(name), before_->at(name)) << name;
  }

  for (const std::string& rel : written) {
    SCOPED_TRACE("failing write: " + rel);
    TempDir dir;
    RestoreTree(dir.path(), *before_);
    RecordingWriter writer;
    writer.failing.insert(dir.path() + rel);
    const InProcessRun run = RunRenamedInProcess(dir.path(), &writer);
    EXPECT_EQ(run.outcome, RunOutcome::kReady);
    ExpectReadyEnd(run.log);
    ExpectReported(dir.path(), rel, run.log, run.errors);
    EXPECT_EQ(CountErrors(run.log) + run.errors.size(), 1u) << "exactly one failure, reported once";

    Tree expected = after;
    if (before_->count(rel)) {
      expected[rel] = before_->at(rel);
    } else {
      expected.erase(rel);
    }
    // A generated file not written: the project keeps its saved constants,
    // so the next run offers the same renames.
    if (std::find(std::begin(kGenerated), std::end(kGenerated), rel) != std::end(kGenerated)) {
      expected["Example.pbm"] = before_->at("Example.pbm");
    }
    EXPECT_EQ(WithoutUndoRecord(SnapshotTree(dir.path())), WithoutUndoRecord(expected));
    EXPECT_TRUE(FindTempFiles(dir.path()).empty());
  }
}

// On the real disk: a directory where a file is to be written. The directory
// and what it holds stay, the failure is reported, the other files are new.
TEST_F(WriteFaults, DirectoryInPlaceOfAnOutputIsReportedAndLeftAlone) {
  TempDir ref;
  RestoreTree(ref.path(), *before_);
  ASSERT_EQ(RunQuillon(std::vector<std::string>{"--generate", ref.File("Example.pbm"), kRenameBind[0], kRenameBind[1]},
                       ref.path())
                .exit_code,
            0);
  const Tree after = SnapshotTree(ref.path());

  const std::vector<std::string> targets = {"Main.pb",        "CommonFile.pb",     "EventMain.pb", "EventMenu.pb",
                                            "EventGadget.pb", "EventWindow.pb",    "Catalog",      "LoadLanguage.pb",
                                            "Backup/Main.pb", "Backup/Example.pbm"};
  for (const std::string& rel : targets) {
    SCOPED_TRACE("directory at " + rel);
    TempDir dir;
    Tree start = *before_;
    start.erase(rel);
    start[rel + "/keep.txt"] = "kept\n";
    RestoreTree(dir.path(), start);
    const ProcessResult run =
        RunQuillon({"--generate", dir.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, dir.path());
    EXPECT_EQ(run.exit_code, 4) << run.err;  // completed, with errors
    const std::vector<std::string> log = SplitLines(run.out);
    ExpectReadyEnd(log);
    ExpectReported(dir.path(), rel, log, {});
    EXPECT_TRUE(IsDirectory(dir.File(rel)));
    EXPECT_EQ(ReadBytes(dir.File(rel + "/keep.txt")), "kept\n");
    EXPECT_TRUE(FindTempFiles(dir.path()).empty());
    // Files that do not depend on the missing one are exactly the new ones.
    const Tree now = SnapshotTree(dir.path());
    for (const char* name : {"CommonFile.pb", "EventMain.pb"}) {
      if (rel != name) {
        EXPECT_EQ(now.at(name), after.at(name)) << name;
      }
    }
    // The project keeps its saved constants when a generated file was not written.
    const bool generated = rel.rfind("Backup/", 0) != 0;
    EXPECT_EQ(now.at("Example.pbm"), generated ? before_->at("Example.pbm") : after.at("Example.pbm"));
  }
}

// The include file as a directory cannot even be read: reported as such.
TEST_F(WriteFaults, DirectoryInPlaceOfTheIncludeFileIsReportedAsUnreadable) {
  TempDir dir;
  Tree start = *before_;
  start.erase("Tools.pbi");
  start["Tools.pbi/keep.txt"] = "kept\n";
  RestoreTree(dir.path(), start);
  const ProcessResult run =
      RunQuillon({"--generate", dir.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, dir.path());
  EXPECT_EQ(run.exit_code, 4);
  const std::vector<std::string> log = SplitLines(run.out);
  EXPECT_TRUE(HasLine(log, " -> Error OpenFile " + dir.File("Tools.pbi") + Tail())) << run.out;
  ExpectReadyEnd(log);
  EXPECT_EQ(ReadBytes(dir.File("Tools.pbi/keep.txt")), "kept\n");
  EXPECT_TRUE(FindTempFiles(dir.path()).empty());
}

// A full file system: every write fails at its data, after the temporary
// file was created. Nothing changes, nothing is left behind, all is reported.
TEST_F(WriteFaults, FullFileSystemChangesNothingAndReportsEveryFile) {
  ScratchTmpfs fs(1 << 20);
  if (!fs.mounted()) GTEST_SKIP() << "full file system not tested: " << fs.why_not();
  const std::string dir = fs.path() + "p/";
  RestoreTree(dir, *before_);
  FillUp(fs.path() + "filler");
  const ProcessResult run = RunQuillon({"--generate", dir + "Example.pbm", kRenameBind[0], kRenameBind[1]}, dir);
  EXPECT_EQ(run.exit_code, 4);
  const std::vector<std::string> log = SplitLines(run.out);
  ExpectReadyEnd(log);
  for (const char* name : kGenerated) ExpectReported(dir, name, log, {});
  ExpectReported(dir, "Tools.pbi", log, {});
  ExpectReported(dir, "Backup/Main.pb", log, {});
  // Nothing was written, so the previous run's undo record stays as it was.
  EXPECT_EQ(run.err, "Error save file project\n");
  EXPECT_EQ(SnapshotTree(dir), *before_);
  EXPECT_TRUE(FindTempFiles(dir).empty());
}

// The space runs out somewhere in the middle of the run, at a different
// place each round: every file is the old or the new one, and each file that
// stayed old although it should have changed is reported.
TEST_F(WriteFaults, SpaceRunningOutMidRunLeavesEachFileOldOrNewAndReported) {
  ScratchTmpfs fs(1 << 20);
  if (!fs.mounted()) GTEST_SKIP() << "full file system not tested: " << fs.why_not();
  TempDir ref;
  RestoreTree(ref.path(), *before_);
  ASSERT_EQ(RunQuillon({"--generate", ref.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, ref.path()).exit_code,
            0);
  const Tree after = SnapshotTree(ref.path());

  int partial_rounds = 0;
  for (unsigned long pages = 1; pages <= 40; ++pages) {
    SCOPED_TRACE("free pages: " + std::to_string(pages));
    ASSERT_EQ(std::system(("rm -rf '" + fs.path() + "p' '" + fs.path() + "filler'").c_str()), 0);
    const std::string dir = fs.path() + "p/";
    RestoreTree(dir, *before_);
    FillUp(fs.path() + "filler");
    FreeFromFiller(fs.path() + "filler", pages * 4096);
    const ProcessResult run = RunQuillon({"--generate", dir + "Example.pbm", kRenameBind[0], kRenameBind[1]}, dir);
    const std::vector<std::string> log = SplitLines(run.out);
    // Completed either way; with 4 exactly when something was not written.
    const bool reported = run.out.find("Error") != std::string::npos || !run.err.empty();
    EXPECT_EQ(run.exit_code, reported ? 4 : 0);
    ExpectReadyEnd(log);
    const Tree now = SnapshotTree(dir);
    size_t old_ones = 0;
    for (const auto& [rel, bytes] : after) {
      if (rel == kUndoRecord) continue;  // names what was written; old or complete (see the undo tests)
      const bool was = before_->count(rel) != 0;
      const bool is = now.count(rel) != 0;
      if (is && bytes == now.at(rel)) continue;  // the new version
      EXPECT_TRUE(was ? is && now.at(rel) == before_->at(rel) : !is) << rel << " is neither old nor new";
      if (was && before_->at(rel) == bytes) continue;  // unchanged by the run anyway
      ++old_ones;
      if (rel == "Example.pbm") {
        // Unless its save failed, it keeps the old constants because a
        // generated file was not written (their renames are due again).
        EXPECT_TRUE(run.err.rfind("Error save file project\n", 0) == 0 ||
                    run.out.find(" -> Error File ") != std::string::npos)
            << run.err;
      } else {
        ExpectReported(dir, rel, log, {});
      }
    }
    for (const auto& entry : now) EXPECT_TRUE(after.count(entry.first)) << "unexpected " << entry.first;
    EXPECT_TRUE(FindTempFiles(dir).empty());
    partial_rounds += old_ones > 0 && old_ones < after.size();
  }
  std::cout << "[          ] rounds with a partly written project: " << partial_rounds << "\n";
}

}  // namespace
}  // namespace quillon::testing
