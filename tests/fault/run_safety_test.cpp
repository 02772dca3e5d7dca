// A whole run against other programs: an editor saving while the run works,
// a second run of the same project, a dry run that must not drift from the
// real one, and signals that end the run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "fault/fault_support.h"
#include "io/disk_file_system.h"
#include "io/overlay_file_system.h"
#include "rewrite/test_writers.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

Tree WithoutBackup(Tree files) {
  for (auto it = files.begin(); it != files.end();) {
    it = it->first.rfind("Backup/", 0) == 0 ? files.erase(it) : std::next(it);
  }
  return files;
}

const Tree& Prepared() {
  static const Tree* tree = [] {
    TempDir dir;
    PrepareRenamedProject(dir.path());
    return new Tree(SnapshotTree(dir.path()));
  }();
  return *tree;
}

TEST(RunSafety, DryRunReportsExactlyWhatTheRealRunWrites) {
  TempDir real_dir, dry_dir;
  RestoreTree(real_dir.path(), Prepared());
  RestoreTree(dry_dir.path(), Prepared());
  const InProcessRun real = RunRenamedInProcess(real_dir.path());
  DiskFileSystem disk;
  OverlayFileSystem overlay(disk);
  const InProcessRun dry = RunRenamedInProcess(dry_dir.path(), &overlay);
  ASSERT_EQ(real.outcome, RunOutcome::kReady);
  EXPECT_EQ(dry.log, [&] {
    std::vector<std::string> log = real.log;  // the same log but for the folder's name
    for (std::string& line : log) {
      const size_t at = line.find(real_dir.path());
      if (at != std::string::npos) line.replace(at, real_dir.path().size(), dry_dir.path());
    }
    return log;
  }());
  EXPECT_EQ(SnapshotTree(dry_dir.path()), Prepared()) << "a dry run writes nothing";

  const Tree written = WithoutBackup(SnapshotTree(real_dir.path()));
  Tree previewed = WithoutBackup(Prepared());
  for (const OverlayFileSystem::Output& output : overlay.outputs()) {
    ASSERT_EQ(output.path.rfind(dry_dir.path(), 0), 0u) << output.path;
    const std::string rel = output.path.substr(dry_dir.path().size());
    if (rel.rfind("Backup/", 0) != 0) previewed[rel] = output.bytes;  // copies and undo's record
  }
  EXPECT_EQ(previewed, written);
}

// F5 in a run: each file an editor saves meanwhile keeps the editor's version.
TEST(RunSafety, FilesSavedByAnEditorDuringTheRunAreKeptAndNamed) {
  TempDir dir;
  RestoreTree(dir.path(), Prepared());
  RecordingWriter editor_meanwhile;
  editor_meanwhile.SetProjectFolder(dir.path());
  const std::vector<std::string> edited = {"EventGadget.pb", "Tools.pbi", "Example.pbm"};
  editor_meanwhile.before_replace = [&](const std::string& path) {
    for (const std::string& name : edited) {
      if (EndsWith(path, "/" + name)) WriteBytes(path, "; saved by the editor\n");
    }
  };
  const InProcessRun run = RunRenamedInProcess(dir.path(), &editor_meanwhile);
  EXPECT_EQ(run.outcome, RunOutcome::kReady);
  for (const std::string& name : edited) {
    EXPECT_EQ(ReadBytes(dir.File(name)), "; saved by the editor\n") << name;
    EXPECT_TRUE(HasLine(run.log,
                        " -> Error: " + dir.File(name) + " was changed by another program during the run; not written"))
        << name;
  }
  EXPECT_NE(ReadBytes(dir.File("Main.pb")), Prepared().at("Main.pb")) << "the other files are written";
  EXPECT_TRUE(run.errors.empty());
}

TEST(RunSafety, SecondRunOfTheSameProjectStopsAtOnce) {
  TempDir dir;
  RestoreTree(dir.path(), Prepared());
  DiskFileSystem first_run;
  std::unique_ptr<FolderLock> lock;
  ASSERT_EQ(first_run.LockFolder(dir.path(), &lock), LockResult::kLocked);
  const ProcessResult second =
      RunQuillon({"--generate", dir.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, dir.path());
  EXPECT_EQ(second.exit_code, 1);
  EXPECT_EQ(second.out, " -> Error: another run of this project is in progress. Stop!\nCancel.\n\n");
  EXPECT_EQ(SnapshotTree(dir.path()), Prepared());
  lock.reset();
  const ProcessResult later =
      RunQuillon({"--generate", dir.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, dir.path());
  EXPECT_EQ(later.exit_code, 0) << later.out << later.err;
  EXPECT_TRUE(FindTempFiles(dir.path()).empty()) << "no lock file is left either";
}

// F7: SIGTERM, SIGINT and SIGHUP at points spread over the stretch where
// the run changes files: the run ends with the signal, leaves no temporary
// file, and every file is whole.
TEST(RunSafety, SignalsEndTheRunWithoutLeavingTemporaryFiles) {
  TempDir ref;
  RestoreTree(ref.path(), Prepared());
  const TracedRun whole = TraceRenamedRun(ref.path(), LONG_MAX, SIGKILL);
  if (!whole.traced) GTEST_SKIP() << "tracing not permitted";
  ASSERT_TRUE(WIFEXITED(whole.status) && WEXITSTATUS(whole.status) == 0) << "status " << whole.status;
  ASSERT_GT(whole.first_change, 0);
  const Tree after = SnapshotTree(ref.path());
  ASSERT_NE(WithoutBackup(after), WithoutBackup(Prepared()));

  constexpr int kPerSignal = 12;
  // The last call counted is the exit itself: a signal queued there is never
  // handled, the run has already ended.
  const long first = whole.first_change, span = whole.file_calls - first;
  int trial = 0;
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    for (int i = 0; i < kPerSignal; ++i, ++trial) {
      const long stop_at = first + (trial * 7919L) % span;
      SCOPED_TRACE("signal " + std::to_string(signal_number) + " at call " + std::to_string(stop_at));
      std::unique_ptr<TempDir> dir;
      const TracedRun run = TraceUntilStopped(stop_at, signal_number, [&] {
        dir = std::make_unique<TempDir>();
        RestoreTree(dir->path(), Prepared());
        return dir->path();
      });
      ASSERT_TRUE(run.stopped) << "every try ended before its stop, after " << run.file_calls << " calls";
      EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == signal_number) << "status " << run.status;
      EXPECT_EQ(FindTempFiles(dir->path()), std::vector<std::string>{});
      for (const auto& [rel, bytes] : SnapshotTree(dir->path())) {
        const bool is_old = Prepared().count(rel) && Prepared().at(rel) == bytes;
        const bool is_new = after.count(rel) && after.at(rel) == bytes;
        EXPECT_TRUE(is_old || is_new) << rel << " is cut or mixed";
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace quillon::testing
