// quillon --generate killed with SIGKILL at many points of a run: every user
// file is the old or the new version byte for byte, and the next run repairs
// the rest. Temporary files a kill leaves behind are tolerated (and counted)
// as long as the real files are intact; no run removes them.
//
// The kill points are system calls: the child runs under ptrace and is
// killed on entering its k-th call that touches a file, for k spread over
// the whole run and then packed into the stretch where the files are
// written. Where tracing is not permitted, kills after random delays stand
// in. No trial depends on how fast the machine is at the moment.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>

#include "fault/fault_support.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

bool IsTempName(const std::string& rel) {
  const size_t slash = rel.rfind('/');
  return rel.compare(slash == std::string::npos ? 0 : slash + 1, std::strlen(kTempPrefix), kTempPrefix) == 0;
}

Tree WithoutTempFiles(Tree files) {
  for (auto it = files.begin(); it != files.end();) it = IsTempName(it->first) ? files.erase(it) : std::next(it);
  return files;
}

Tree WithoutBackup(Tree files) {
  for (auto it = files.begin(); it != files.end();) {
    it = it->first.rfind("Backup/", 0) == 0 ? files.erase(it) : std::next(it);
  }
  return files;
}

void RunKilledAfter(const std::string& dir, long microseconds) {
  const pid_t pid = StartRenamedRun(dir, false);
  ::usleep(static_cast<useconds_t>(microseconds));
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

TEST(CrashSafety, KilledRunsLeaveEveryFileOldOrNewAndTheNextRunCompletes) {
  TempDir pre;
  PrepareRenamedProject(pre.path());
  const Tree before = SnapshotTree(pre.path());

  // A RAM file system keeps the runs fast (fsync costs nothing there);
  // atomicity against a killed process does not depend on the medium.
  ScratchTmpfs fs(64ul << 20);
  TempDir fallback;
  const std::string base = fs.mounted() ? fs.path() : fallback.path();
  if (!fs.mounted()) std::cout << "[          ] on the normal disk: " << fs.why_not() << "\n";

  const std::string ref = base + "ref/";
  RestoreTree(ref, before);
  const TracedRun whole = TraceRenamedRun(ref, LONG_MAX, SIGKILL);
  const bool traced = whole.traced;
  long span = whole.file_calls;
  if (!traced) {
    std::cout << "[          ] tracing not permitted: kills after random delays instead\n";
    ASSERT_EQ(std::system(("rm -rf '" + ref + "'").c_str()), 0);
    RestoreTree(ref, before);
    const auto start = std::chrono::steady_clock::now();
    RunKilledAfter(ref, 10'000'000);  // a complete run
    span = 2 *
           static_cast<long>(
               std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
  }
  const Tree after = SnapshotTree(ref);
  ASSERT_NE(WithoutBackup(after), WithoutBackup(before));
  ASSERT_EQ(std::system(("rm -rf '" + ref + "'").c_str()), 0);
  RestoreTree(ref, before);
  if (traced) {
    TraceRenamedRun(ref, LONG_MAX, SIGKILL);
  } else {
    RunKilledAfter(ref, 10'000'000);
  }
  ASSERT_EQ(SnapshotTree(ref), after) << "the run must be repeatable";

  // The first half of the kills spreads over the whole run, the second half
  // over the stretch between the latest kill that changed nothing and the
  // earliest kill after which everything was new.
  constexpr int kTrials = 200;
  std::mt19937 random(20240611);
  long latest_untouched = 0, earliest_complete = span;
  auto kill_point = [&](int trial) {
    constexpr int kHalf = kTrials / 2;
    if (trial < kHalf) return 1 + trial * (span - 1) / (kHalf - 1);
    const long a = std::min(latest_untouched, earliest_complete), b = std::max(latest_untouched, earliest_complete);
    if (traced) return a + (trial - kHalf) * (b - a) / (kTrials - kHalf - 1);
    return std::uniform_int_distribution<long>(a / 2, b + b / 2)(random);
  };

  int untouched = 0, partial = 0, complete = 0, with_temp_files = 0, trials = 0;
  for (; trials < kTrials; ++trials) {
    SCOPED_TRACE("trial " + std::to_string(trials));
    const std::string dir = base + "t/";
    long point = kill_point(trials);
    auto fresh = [&] {
      EXPECT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0);
      RestoreTree(dir, before);
      return dir;
    };
    if (traced) {
      const TracedRun run = TraceUntilStopped(point, SIGKILL, fresh);
      ASSERT_TRUE(run.stopped) << "every try ended before call " << point << ", after " << run.file_calls;
      point = run.file_calls;
    } else {
      RunKilledAfter(fresh(), point);
    }

    const Tree raw = SnapshotTree(dir);
    const Tree now = WithoutTempFiles(raw);
    with_temp_files += raw.size() != now.size();
    for (const auto& [rel, bytes] : now) {
      const bool is_old = before.count(rel) && before.at(rel) == bytes;
      const bool is_new = after.count(rel) && after.at(rel) == bytes;
      EXPECT_TRUE(is_old || is_new) << rel << " is cut or mixed (" << bytes.size() << " bytes)";
    }
    for (const auto& entry : before) EXPECT_TRUE(now.count(entry.first)) << entry.first << " vanished";
    if (now == before) {
      ++untouched;
      latest_untouched = std::max(latest_untouched, point);
    } else if (now == after) {
      ++complete;
      earliest_complete = std::min(earliest_complete, point);
    } else {
      ++partial;
    }

    // The next run brings the project to the new state; stale temporary
    // files of the kill do not disturb it.
    const ProcessResult next = RunQuillon({"--generate", "Example.pbm", kRenameBind[0], kRenameBind[1]}, dir);
    EXPECT_EQ(next.exit_code, 0) << next.out << next.err;
    EXPECT_EQ(WithoutBackup(WithoutTempFiles(SnapshotTree(dir))), WithoutBackup(after));
    if (::testing::Test::HasFailure()) break;  // one broken trial tells enough
  }
  std::cout << "[          ] " << trials << " kills within " << span << (traced ? " file calls: " : " us: ")
            << untouched << " before any write, " << partial << " partly written, " << complete << " complete; "
            << with_temp_files << " left a temporary file\n";
}

}  // namespace
}  // namespace quillon::testing
