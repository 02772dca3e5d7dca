// Scale benchmark of the headless generation: runs the built quillon binary
// on synthetic projects of 50, 200 and 800 windows (60 gadgets each) and
// prints wall time, CPU time and peak memory of every run, and how each grows
// with N. Runs: a first generation, a regeneration after the user filled the
// event procedures, cp -r of the regenerated project in the same round (the
// floor a regeneration is measured against), and --dry-run against the real
// runs at N = 200. Then two
// renaming runs: 1,020 bindings on 100 windows, and one bound constant
// 320,000 times in a 6.5 MB line of an include file.
//
// Usage: scale_bench [QUILLON_BINARY [WORK_DIR]]
//        scale_bench --make-project DIR N [--regen]   (only writes the project, for profiling)
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "synthetic_project.h"

namespace {

constexpr int kRepeats = 5;  // best time of five
// At N = 200 a regeneration takes at most this many times as long as
// copying the project (cp -r, measured in the same rounds); at N = 200 and
// N = 800 its peak memory is at most this many times the project's bytes.
constexpr double kMaxTimeOverCopy = 3.0;
constexpr double kMaxMemoryOverBytes = 3.0;
constexpr double kMaxGrowth = 4.2;  // CPU time ratio from N = 200 to N = 800

struct Measure {
  bool ok = false;  // exit status as expected and the log ends with "Ready."
  double wall = 0;  // seconds
  double cpu = 0;   // user + system seconds
  double peak_mb = 0;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

bool LogEndsReady(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
  std::fclose(f);
  return text.find("Ready.\n") != std::string::npos;
}

// Waits for the child `pid` started at `start`: its wall and CPU time, its
// peak memory, and whether it exited with status 0.
Measure WaitFor(pid_t pid, std::chrono::steady_clock::time_point start) {
  Measure m;
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) != pid) return m;
  m.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  m.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
  m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return m;
}

// One child process: quillon with `args`, stdout into `log`. The child's own
// resource use comes from wait4, so nothing of this process is counted.
Measure RunOnce(const std::string& quillon, const std::vector<std::string>& args, const std::string& log) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return Measure();
  if (pid == 0) {
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = ::open("/dev/null", O_WRONLY);
    if (out < 0 || null < 0) ::_exit(127);
    ::dup2(out, 1);
    ::dup2(null, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(quillon.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(quillon.c_str(), argv.data());
    ::_exit(127);
  }
  Measure m = WaitFor(pid, start);
  m.ok = m.ok && LogEndsReady(log);
  return m;
}

// Keeps the least wall and CPU time seen; peak memory is the largest seen.
void Keep(Measure* best, const Measure& m, bool first) {
  if (first) {
    *best = m;
    return;
  }
  best->ok = best->ok && m.ok;
  best->wall = std::min(best->wall, m.wall);
  best->cpu = std::min(best->cpu, m.cpu);
  best->peak_mb = std::max(best->peak_mb, m.peak_mb);
}

// The first field of /proc/loadavg: wall times are only meaningful when the
// machine is otherwise idle.
std::string LoadAverage() {
  std::FILE* f = std::fopen("/proc/loadavg", "r");
  if (!f) return "?";
  char buffer[64] = {0};
  const bool got = std::fscanf(f, "%63s", buffer) == 1;
  std::fclose(f);
  return got ? buffer : "?";
}

void RemoveTree(const std::string& dir) {
  const std::string command = "rm -rf '" + dir + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", dir.c_str());
}

// cp -r of `from` to `to`, timed like a run of quillon.
Measure RunCopy(const std::string& from, const std::string& to) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return Measure();
  if (pid == 0) {
    ::execl("/bin/cp", "cp", "-r", from.c_str(), to.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return WaitFor(pid, start);
}

long ProjectBytes(const std::string& dir) {
  const std::string command = "find '" + dir +
                              "' -path '*/Backup' -prune -o -type f -printf '%s\\n' | awk '{s+=$1} END {print s+0}'";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return 0;
  long bytes = 0;
  if (std::fscanf(pipe, "%ld", &bytes) != 1) bytes = 0;
  ::pclose(pipe);
  return bytes;
}

struct Row {
  int n = 0;
  long project_bytes = 0;        // the files of the project, Backup/ left out
  Measure copy;                  // cp -r of the regenerated project
  Measure first;                 // first generation of a fresh project
  Measure regen;                 // regeneration with user code in the event files
  Measure dry_first, dry_regen;  // --dry-run on the same states (N = 200 only)
};

// Runs `work` in a child process and returns its result (-1 when the child
// fails). Reading and writing whole projects would raise this process's peak
// memory, and a forked child starts its peak from there: quillon's figures
// would include it.
long InChild(const std::function<long()>& work) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return -1;
  }
  if (pid == 0) {
    ::close(fds[0]);
    const long result = work();
    const bool sent = ::write(fds[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    ::_exit(sent ? 0 : 1);
  }
  ::close(fds[1]);
  long result = -1;
  const bool got = ::read(fds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return got && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : -1;
}

// One round for one N: a fresh project, its first generation, the user's
// code added, the regeneration. Keeps the best times seen over the rounds.
bool MeasureRound(const std::string& quillon, const std::string& work, bool with_dry_run, bool first_round, Row* row) {
  const std::string dir = work + "/n" + std::to_string(row->n) + "/";
  const std::string log = work + "/n" + std::to_string(row->n) + ".log";
  RemoveTree(dir);
  const std::string project = dir + "Bench.pbm";
  const int n = row->n;
  if (InChild([&] { return bench::WriteSyntheticProject(dir, n) == project ? 1L : -1L; }) != 1) return false;
  if (with_dry_run) Keep(&row->dry_first, RunOnce(quillon, {"--generate", project, "--dry-run"}, log), first_round);
  Keep(&row->first, RunOnce(quillon, {"--generate", project}, log), first_round);
  const long user_code = InChild([&] { return bench::AddUserCodeToEventFiles(dir); });
  if (user_code <= 0) return false;
  if (with_dry_run) Keep(&row->dry_regen, RunOnce(quillon, {"--generate", project, "--dry-run"}, log), first_round);
  Measure regen = RunOnce(quillon, {"--generate", project}, log);
  // The regeneration must keep the user's code in every event procedure.
  regen.ok = regen.ok && InChild([&] { return bench::CountUserCodeInEventFiles(dir); }) == user_code;
  Keep(&row->regen, regen, first_round);
  row->project_bytes = ProjectBytes(dir);
  // The second copy is timed: the first brings every file into the cache,
  // as a project being worked on is.
  const std::string copy = work + "/copy";
  for (int pass = 0; pass < 2; ++pass) {
    RemoveTree(copy);
    const Measure m = RunCopy(dir, copy);
    if (pass == 1) Keep(&row->copy, m, first_round);
  }
  RemoveTree(copy);
  RemoveTree(dir);
  return true;
}

// Renaming: a run that applies many bindings, and a run that renames one
// constant repeated all over one very long line of an include file.
struct RenameRow {
  Measure many_binds;  // 1,020 --bind options on a 100-window project
  Measure long_line;   // one bound constant 320,000 times in a 6.5 MB line
};
constexpr int kRenameWindows = 100;
constexpr int kRenamedWindows = 20;
constexpr long kLongLineRepeats = 320000;
constexpr double kRenameTargetSeconds = 1.0;

std::vector<std::string> GenerateArgs(const std::string& project, const std::vector<std::string>& binds) {
  std::vector<std::string> args{"--generate", project};
  args.insert(args.end(), binds.begin(), binds.end());
  return args;
}

bool MeasureRenameRound(const std::string& quillon, const std::string& work, bool first_round, RenameRow* row) {
  const std::string dir = work + "/rename/";
  const std::string log = work + "/rename.log";
  const std::string project = dir + "Bench.pbm";
  RemoveTree(dir);
  if (InChild([&] { return bench::WriteSyntheticProject(dir, kRenameWindows) == project ? 1L : -1L; }) != 1 ||
      !RunOnce(quillon, {"--generate", project}, log).ok ||
      InChild([&] { return bench::AddUserCodeToEventFiles(dir); }) <= 0 ||
      InChild([&] { return bench::RenameInForms(dir, kRenameWindows, kRenamedWindows) ? 1L : -1L; }) != 1) {
    return false;
  }
  Keep(&row->many_binds,
       RunOnce(quillon, GenerateArgs(project, bench::RenameBinds(kRenameWindows, kRenamedWindows)), log), first_round);
  RemoveTree(dir);

  if (InChild([&] { return bench::WriteSyntheticProject(dir, 1) == project ? 1L : -1L; }) != 1 ||
      !RunOnce(quillon, {"--generate", project}, log).ok ||
      InChild([&] { return bench::AddLongLineInclude(dir, "Window_0_Gadget_50", kLongLineRepeats) ? 1L : -1L; }) != 1 ||
      InChild([&] { return bench::RenameInForms(dir, 1, 0) ? 1L : -1L; }) != 1) {
    return false;
  }
  Keep(&row->long_line, RunOnce(quillon, GenerateArgs(project, bench::RenameBinds(1, 0)), log), first_round);
  RemoveTree(dir);
  return true;
}

void PrintMeasure(const char* label, const Measure& m, const Measure* previous) {
  std::printf("  %-22s wall %7.3f s  cpu %7.3f s  peak %7.1f MB", label, m.wall, m.cpu, m.peak_mb);
  if (previous && previous->wall > 0 && previous->cpu > 0) {
    std::printf("   x%.2f wall  x%.2f cpu  x%.2f mem", m.wall / previous->wall, m.cpu / previous->cpu,
                m.peak_mb / previous->peak_mb);
  }
  std::printf("%s\n", m.ok ? "" : "   RUN FAILED");
}

}  // namespace

int main(int argc, char** argv) {
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--make-project") == 0) {
    const std::string dir = std::string(argv[2]) + "/";
    const std::string project = bench::WriteSyntheticProject(dir, std::atoi(argv[3]));
    if (project.empty()) return 1;
    // --regen: generated once and the event procedures filled, as a
    // regeneration finds it.
    if (argc == 5 && (std::strcmp(argv[4], "--regen") != 0 ||
                      !RunOnce(QUILLON_BINARY, {"--generate", project}, dir + "first.log").ok ||
                      bench::AddUserCodeToEventFiles(dir) <= 0)) {
      return 1;
    }
    std::printf("%s\n", project.c_str());
    return 0;
  }
  const std::string quillon = argc > 1 ? argv[1] : QUILLON_BINARY;
  std::string work;
  if (argc > 2) {
    work = argv[2];
    ::mkdir(work.c_str(), 0755);
  } else {
    char pattern[] = "/tmp/quillon-scale-XXXXXX";
    if (!::mkdtemp(pattern)) return 1;
    work = pattern;
  }

  const int sizes[] = {50, 200, 800};
  std::vector<Row> rows;
  for (int n : sizes) {
    rows.emplace_back();
    rows.back().n = n;
  }
  std::printf("scale_bench: %s --generate, %d gadgets per window, best time of %d rounds\n", quillon.c_str(),
              bench::kGadgetsPerWindow, kRepeats);
  std::printf("(ratios compare with the previous N, which is 4x smaller; load average before: %s)\n",
              LoadAverage().c_str());
  // Rounds over all sizes rather than all runs of one size after another: a
  // busy spell of the machine then spreads over the sizes instead of
  // distorting the ratio between two of them.
  for (int round = 0; round < kRepeats; ++round) {
    for (Row& row : rows) {
      if (!MeasureRound(quillon, work, row.n == 200, round == 0, &row)) {
        std::fprintf(stderr, "scale_bench: cannot prepare the project for N = %d in %s\n", row.n, work.c_str());
        return 1;
      }
    }
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const Row* prev = i == 0 ? nullptr : &rows[i - 1];
    std::printf("N = %d windows (%d gadgets)\n", row.n, row.n * bench::kGadgetsPerWindow);
    PrintMeasure("first generation", row.first, prev ? &prev->first : nullptr);
    PrintMeasure("regeneration", row.regen, prev ? &prev->regen : nullptr);
    PrintMeasure("cp -r of the project", row.copy, nullptr);
    std::printf("  project: %.1f MB without Backup/; regeneration peak x%.1f of it\n", row.project_bytes / 1048576.0,
                row.regen.peak_mb * 1048576.0 / static_cast<double>(std::max(1L, row.project_bytes)));
    if (row.n == 200) {
      PrintMeasure("--dry-run, first", row.dry_first, nullptr);
      PrintMeasure("--dry-run, regeneration", row.dry_regen, nullptr);
    }
  }
  RenameRow renames;
  for (int round = 0; round < kRepeats; ++round) {
    if (!MeasureRenameRound(quillon, work, round == 0, &renames)) {
      std::fprintf(stderr, "scale_bench: cannot prepare the rename projects in %s\n", work.c_str());
      return 1;
    }
  }
  std::printf("Renaming\n");
  PrintMeasure("1,020 bindings, N = 100", renames.many_binds, nullptr);
  PrintMeasure("6.5 MB line, 320,000x", renames.long_line, nullptr);
  if (argc <= 2) RemoveTree(work);
  std::printf("load average after: %s\n", LoadAverage().c_str());

  // The targets of this 2-core machine.
  bool all_ok = true;
  bool met = true;
  for (const Row& row : rows) {
    all_ok = all_ok && row.first.ok && row.regen.ok && (row.n != 200 || (row.dry_first.ok && row.dry_regen.ok));
  }
  all_ok = all_ok && renames.many_binds.ok && renames.long_line.ok;
  std::printf("\nTargets:\n");
  for (const Row& row : rows) {
    if (row.n == 200) {
      const double ratio = row.regen.wall / row.copy.wall;
      met = met && ratio <= kMaxTimeOverCopy;
      std::printf("  N = 200 regeneration: %.3f s, x%.1f of cp -r (%.3f s) <= x%.0f: %s\n", row.regen.wall, ratio,
                  row.copy.wall, kMaxTimeOverCopy, ratio <= kMaxTimeOverCopy ? "met" : "MISSED");
    }
    if (row.n == 200 || row.n == 800) {
      const double ratio = row.regen.peak_mb * 1048576.0 / static_cast<double>(std::max(1L, row.project_bytes));
      met = met && ratio <= kMaxMemoryOverBytes;
      std::printf("  N = %d regeneration peak: %.1f MB, x%.1f of the project's %.1f MB <= x%.0f: %s\n", row.n,
                  row.regen.peak_mb, ratio, row.project_bytes / 1048576.0, kMaxMemoryOverBytes,
                  ratio <= kMaxMemoryOverBytes ? "met" : "MISSED");
    }
  }
  for (size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].n != 800) continue;
    for (int which = 0; which < 2; ++which) {
      const Measure& a = which == 0 ? rows[i - 1].first : rows[i - 1].regen;
      const Measure& b = which == 0 ? rows[i].first : rows[i].regen;
      // CPU time: wall time also counts waiting for a busy machine.
      const double growth = b.cpu / a.cpu;
      met = met && growth <= kMaxGrowth;
      std::printf("  N %d -> %d %-13s cpu time x%.2f (wall x%.2f) <= x%.1f: %s\n", rows[i - 1].n, rows[i].n,
                  which == 0 ? "first run:" : "regeneration:", growth, b.wall / a.wall, kMaxGrowth,
                  growth <= kMaxGrowth ? "met" : "MISSED");
    }
  }
  for (const Measure* m : {&renames.many_binds, &renames.long_line}) {
    const bool fast = m->wall < kRenameTargetSeconds;
    met = met && fast;
    std::printf("  rename, %-22s %.3f s < %.1f s: %s\n",
                m == &renames.many_binds ? "1,020 bindings:" : "6.5 MB line:", m->wall, kRenameTargetSeconds,
                fast ? "met" : "MISSED");
  }
  std::printf("%s\n", !all_ok ? "some run FAILED" : met ? "all targets met" : "some target MISSED");
  return all_ok ? 0 : 1;
}
