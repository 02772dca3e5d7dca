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

// A second thread creates the file and registers it 200 ms later; the main
// thread takes SIGTERM in between (the creator blocks it). The handler must
// wait for the registration and remove the file before the process ends.
TEST(InterruptCleanup, ASignalTakenByAnotherThreadWaitsForAFileBeingCreated) {
  testing::TempDir dir;
  const std::string path = dir.File(".quillon-tmp-signal");
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
          ::usleep(200 * 1000);
          RegisterTemporaryFile(path.c_str());
        }
      }
      for (;;) ::pause();  // the process ends meanwhile
    });
    while (!created) ::usleep(1000);
    ::raise(SIGTERM);
    ::_exit(0);  // not reached
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_NE(::access(path.c_str(), F_OK), 0) << "the file created while the signal came was left behind";
}

}  // namespace
}  // namespace quillon
