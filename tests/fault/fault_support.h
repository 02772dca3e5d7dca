// Shared set-up of the fault tests: the renaming scenario that makes a run
// rewrite every kind of user file, snapshots, leftover temporary files and a
// small file system that can be filled up.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "io/file_io.h"
#include "run/generation_run.h"
#include "support/temp_dir.h"

namespace quillon::testing {

using Tree = std::map<std::string, std::string>;  // relative path -> bytes

// Prefix of the temporary files of an atomic write.
inline constexpr const char* kTempPrefix = ".quillon-tmp-";

// The example project generated once; then the user adds code to an event
// procedure, names an include file "Tools.pbi" in Main.pb that uses a window
// constant, and the designer renames the window WinMain to WinStart. A run
// with kRenameBind then rewrites every generated file, the include file, the
// project file and the backup copies.
void PrepareRenamedProject(const std::string& dir);
inline const std::vector<std::string> kRenameBind = {"--bind", "Window:WinMain=WinStart"};

// The scenario's run inside this process, on the given writer (the disk when
// null), with the window binding answered as --bind does.
struct InProcessRun {
  RunOutcome outcome = RunOutcome::kCancelled;
  std::vector<std::string> log;
  std::vector<std::string> errors;  // "title: message" of every error box
};
InProcessRun RunRenamedInProcess(const std::string& dir, FileSystem* files = nullptr);

// Starts the renaming run of the quillon binary in `dir` (output to
// /dev/null); traced, it stops itself before its first instruction.
pid_t StartRenamedRun(const std::string& dir, bool traced);

// The renaming run traced system call by system call. Only the entries into
// calls that open, write, sync, rename, link or remove files are counted: the
// run makes them in the same order every time, whereas its memory, clock and
// futex calls vary with the machine's load.
struct TracedRun {
  bool traced = false;    // false: tracing is not permitted here
  long file_calls = 0;    // entries counted (all of the run's when it ended)
  long first_change = 0;  // number of the first entry that creates, renames or removes
  bool stopped = false;   // held at the entry numbered stop_at (from 1)
  int status = 0;         // wait status once the run has ended
};
// Runs until the `stop_at`-th counted entry; then, when `signal_number` is
// SIGKILL, kills the run there, otherwise queues the signal and lets the run
// handle it untraced. Either way the run has ended on return.
TracedRun TraceRenamedRun(const std::string& dir, long stop_at, int signal_number);

// TraceRenamedRun in the folder `prepare` fills afresh and names. A run that
// ends before its stop is tried again with the stop moved into the calls it
// made, at most three times; the count repeats, so this is a safety net.
TracedRun TraceUntilStopped(long stop_at, int signal_number, const std::function<std::string()>& prepare);

// Relative paths of the temporary files of atomic writes anywhere below `dir`.
std::vector<std::string> FindTempFiles(const std::string& dir);

// Recreates a snapshot in the (empty) folder `dir`, subfolders included.
void RestoreTree(const std::string& dir, const Tree& files);

// True when `lines` holds exactly `line`.
bool HasLine(const std::vector<std::string>& lines, const std::string& line);

// A tmpfs of a fixed size mounted for the object's lifetime. Needs root and
// permission to mount; otherwise mounted() is false and why_not() says why.
class ScratchTmpfs {
 public:
  explicit ScratchTmpfs(unsigned long bytes);
  ~ScratchTmpfs();
  ScratchTmpfs(const ScratchTmpfs&) = delete;
  ScratchTmpfs& operator=(const ScratchTmpfs&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why_not() const { return why_not_; }
  const std::string& path() const { return path_; }  // with trailing "/"

 private:
  TempDir base_;
  std::string path_;
  bool mounted_ = false;
  std::string why_not_;
};

// Fills the file system that holds `filler` until no data block is left.
void FillUp(const std::string& filler);
// Frees `bytes` of the filler again (whole pages).
void FreeFromFiller(const std::string& filler, unsigned long bytes);

}  // namespace quillon::testing
