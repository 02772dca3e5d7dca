#include "fault/fault_support.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <csignal>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "io/file_io.h"
#include "project/project_file.h"
#include "support/fake_host.h"
#include "support/quillon_process.h"

namespace quillon::testing {

namespace {

void ReplaceAllIn(const std::string& path, const std::string& from, const std::string& to) {
  std::string text = ReadBytes(path);
  size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error(from + " not in " + path);
  for (; at != std::string::npos; at = text.find(from, at + to.size())) text.replace(at, from.size(), to);
  WriteBytes(path, text);
}

}  // namespace

void PrepareRenamedProject(const std::string& dir) {
  CopyExampleProject(dir);
  const ProcessResult first = RunQuillon({"--generate", dir + "Example.pbm"}, dir);
  if (first.exit_code != 0) throw std::runtime_error("first run failed: " + first.out + first.err);
  ReplaceAllIn(dir + "EventGadget.pb", "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  \n",
               "Procedure EventGadget_WinMain_Btn_Greet(EventType)\n  SetGadgetText(#WinMain_Str_Name, \"hi\")\n");
  ReplaceAllIn(dir + "Main.pb", ";IncludeFile \"???.pb\"", "IncludeFile \"Tools.pbi\"");
  WriteBytes(dir + "Tools.pbi", "Procedure Tool()\n  DisableGadget(#WinMain_Btn_Greet, 1)\nEndProcedure\n");
  ReplaceAllIn(dir + "forms/MainWindow.pbf", "WinMain", "WinStart");
}

InProcessRun RunRenamedInProcess(const std::string& dir, FileSystem* files) {
  Workspace ws;
  FakeHost host;
  ws.keywords = BuildKeywordSets({});
  ws.project.project_path = FromUtf8(dir + "Example.pbm");
  if (files) ws.files = files;  // the project file is read through it too
  InProcessRun result;
  if (!LoadProject(ws, ws.project.project_path, host)) {
    result.errors = host.errors;
    return result;
  }
  host.file_list = ws.project.files;
  host.replies.push_back(BindReply{false, L({"WinMain > WinStart"}), {}});
  result.outcome = RunGeneration(ws, host);
  result.log = host.log;
  result.errors = host.errors;
  return result;
}

pid_t StartRenamedRun(const std::string& dir, bool traced) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::chdir(dir.c_str()) != 0) ::_exit(126);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    if (traced) {
      // A sanitizer build's leak check cannot run under tracing and would
      // end a run that finished before the signal with its own status.
      ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
      if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) ::_exit(125);
      ::raise(SIGSTOP);
    }
    ::execl(QUILLON_BINARY, QUILLON_BINARY, "--generate", "Example.pbm", kRenameBind[0].c_str(), kRenameBind[1].c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

namespace {

enum class Call { kOther, kFile, kChange };

// What a system call does to files; opening with O_CREAT creates.
Call KindOf(const __ptrace_syscall_info& info) {
  static const std::set<unsigned long long> kChanges = {SYS_creat, SYS_rename,  SYS_renameat, SYS_renameat2,
                                                        SYS_link,  SYS_linkat,  SYS_unlink,   SYS_unlinkat,
                                                        SYS_mkdir, SYS_mkdirat, SYS_rmdir};
  static const std::set<unsigned long long> kFiles = {SYS_write,     SYS_pwrite64,  SYS_writev,    SYS_fsync,
                                                      SYS_fdatasync, SYS_ftruncate, SYS_exit_group};
  const unsigned long long nr = info.entry.nr;
  if (nr == SYS_open || nr == SYS_openat) {
    return info.entry.args[nr == SYS_open ? 1 : 2] & O_CREAT ? Call::kChange : Call::kFile;
  }
  return kChanges.count(nr) ? Call::kChange : kFiles.count(nr) ? Call::kFile : Call::kOther;
}

// Resumes the stopped run until it ends (a killed one at once); a stop by
// `signal_number` detaches it with that signal so that its own handler runs
// untraced.
int FinishWithSignal(pid_t pid, int signal_number) {
  int status = 0;
  for (;;) {
    if (::ptrace(PTRACE_CONT, pid, nullptr, nullptr) != 0) break;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) || WIFSIGNALED(status)) return status;
    if (WSTOPSIG(status) == signal_number) {
      ::ptrace(PTRACE_DETACH, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(signal_number)));
      break;
    }
  }
  ::waitpid(pid, &status, 0);
  return status;
}

}  // namespace

TracedRun TraceRenamedRun(const std::string& dir, long stop_at, int signal_number) {
  TracedRun run;
  const pid_t pid = StartRenamedRun(dir, true);
  ::waitpid(pid, &run.status, 0);
  if (!WIFSTOPPED(run.status)) return run;
  run.traced = true;
  ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL));
  int pass_signal = 0;
  for (;;) {
    if (::ptrace(PTRACE_SYSCALL, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(pass_signal))) != 0) break;
    ::waitpid(pid, &run.status, 0);
    if (WIFEXITED(run.status) || WIFSIGNALED(run.status)) return run;
    pass_signal = 0;
    if (WSTOPSIG(run.status) == (SIGTRAP | 0x80)) {
      struct __ptrace_syscall_info info {};
      if (::ptrace(PTRACE_GET_SYSCALL_INFO, pid, reinterpret_cast<void*>(sizeof info), &info) <= 0 ||
          info.op != PTRACE_SYSCALL_INFO_ENTRY) {
        continue;
      }
      const Call kind = KindOf(info);
      if (kind == Call::kOther) continue;
      ++run.file_calls;
      if (kind == Call::kChange && run.first_change == 0) run.first_change = run.file_calls;
      if (run.file_calls == stop_at) {
        run.stopped = true;
        break;
      }
    } else if (WSTOPSIG(run.status) != SIGTRAP && WSTOPSIG(run.status) != SIGSTOP) {
      pass_signal = WSTOPSIG(run.status);  // the program's own signals go through
    }
  }
  // A signal sent now is queued and delivered once the run goes on.
  ::kill(pid, signal_number);
  run.status = FinishWithSignal(pid, signal_number);
  return run;
}

TracedRun TraceUntilStopped(long stop_at, int signal_number, const std::function<std::string()>& prepare) {
  TracedRun run;
  for (int attempt = 0; attempt < 3; ++attempt) {
    run = TraceRenamedRun(prepare(), stop_at, signal_number);
    if (run.stopped || !run.traced || run.file_calls < 2) break;
    // Inside the calls this run made, short of its exit.
    stop_at = 1 + (stop_at - 1) % (run.file_calls - 1);
  }
  return run;
}

std::vector<std::string> FindTempFiles(const std::string& dir) {
  std::vector<std::string> found;
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string rel = pending.back();
    pending.pop_back();
    std::vector<std::string> names;
    if (!ListDirectory(dir + rel, &names)) continue;
    for (const std::string& name : names) {
      if (name.rfind(kTempPrefix, 0) == 0) found.push_back(rel + name);
      struct stat st;
      if (::lstat((dir + rel + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) pending.push_back(rel + name + "/");
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

void RestoreTree(const std::string& dir, const Tree& files) {
  ::mkdir(dir.c_str(), 0755);
  for (const auto& [rel, bytes] : files) {
    for (size_t slash = rel.find('/'); slash != std::string::npos; slash = rel.find('/', slash + 1)) {
      ::mkdir((dir + rel.substr(0, slash)).c_str(), 0755);
    }
    WriteBytes(dir + rel, bytes);
  }
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

ScratchTmpfs::ScratchTmpfs(unsigned long bytes) : path_(base_.File("fs/")) {
  ::mkdir(path_.c_str(), 0755);
  if (::geteuid() != 0) {
    why_not_ = "mounting a tmpfs needs root";
    return;
  }
  const std::string options = "size=" + std::to_string(bytes);
  if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    why_not_ = std::string("mounting a tmpfs is not permitted here: ") + std::strerror(errno);
    return;
  }
  mounted_ = true;
}

ScratchTmpfs::~ScratchTmpfs() {
  if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

void FillUp(const std::string& filler) {
  const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + filler);
  const std::string block(4096, 'x');
  // Whole blocks first, then single bytes for the rest of a partial page.
  while (::write(fd, block.data(), block.size()) > 0) {
  }
  while (::write(fd, "x", 1) > 0) {
  }
  ::close(fd);
}

void FreeFromFiller(const std::string& filler, unsigned long bytes) {
  struct stat st;
  if (::stat(filler.c_str(), &st) != 0) throw std::runtime_error("no filler " + filler);
  const unsigned long size = static_cast<unsigned long>(st.st_size);
  if (::truncate(filler.c_str(), static_cast<off_t>(size > bytes ? size - bytes : 0)) != 0) {
    throw std::runtime_error("cannot shrink " + filler);
  }
}

}  // namespace quillon::testing
