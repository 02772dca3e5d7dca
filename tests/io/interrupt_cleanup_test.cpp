// The removal of temporary files when a signal ends the process, with the
// signal taken by another thread than the one creating a file: the window
// program runs generations on a worker while its main thread gets signals.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "io/interrupt_cleanup.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

// In a child process: a second thread creates `path` and registers it only
// `register_after_ms` later, while the main thread takes SIGTERM in between.
// The child must end by the signal.
int EndChildWhileAFileIsBeingCreated(const std::string& path, int register_after_ms) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ScopedInterruptCleanup cleanup;
    std::atomic<bool> created{false};
    std::thread creator([&] {
      {
        TemporaryFileCreation creation;
        if (creation.Allowed()) {
          const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
          if (fd >= 0) ::close(fd);
          created = true;
          ::usleep(static_cast<useconds_t>(register_after_ms) * 1000);
          RegisterTemporaryFile(path.c_str());
        }
      }
      for (;;) ::pause();  // the process ends meanwhile
    });
    while (!created) ::usleep(1000);
    ::raise(SIGTERM);  // taken by this thread: the creator blocks it
    ::_exit(0);        // not reached
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
}

TEST(InterruptCleanup, ASignalTakenByAnotherThreadWaitsForAFileBeingCreated) {
  testing::TempDir dir;
  const std::string path = dir.File(".quillon-tmp-signal");
  EXPECT_EQ(EndChildWhileAFileIsBeingCreated(path, 200), SIGTERM);
  EXPECT_NE(::access(path.c_str(), F_OK), 0) << "the file created while the signal came was left behind";
}

}  // namespace
}  // namespace quillon
