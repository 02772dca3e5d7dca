// Removal of the temporary file being written when the process is ended by
// SIGTERM, SIGINT or SIGHUP, so that an interrupted run leaves every file in
// its old or its new version and nothing beside it.
#pragma once

#include <csignal>

namespace quillon {

// Installs the handlers while it lives and restores the previous ones
// afterwards. The handler removes the registered temporary files, then ends
// the process with the signal's usual status.
class ScopedInterruptCleanup {
 public:
  ScopedInterruptCleanup();
  ~ScopedInterruptCleanup();
  ScopedInterruptCleanup(const ScopedInterruptCleanup&) = delete;
  ScopedInterruptCleanup& operator=(const ScopedInterruptCleanup&) = delete;

 private:
  struct sigaction previous_[3];
  bool installed_[3] = {false, false, false};
};

// Blocks the three signals in the calling thread while it lives, so that a
// temporary file is never created or renamed without being registered.
class ScopedSignalBlock {
 public:
  ScopedSignalBlock();
  ~ScopedSignalBlock();
  ScopedSignalBlock(const ScopedSignalBlock&) = delete;
  ScopedSignalBlock& operator=(const ScopedSignalBlock&) = delete;

 private:
  sigset_t previous_;
};

// Held by a thread from just before it creates a temporary file until the
// file is registered, with the three signals blocked in that thread. The
// handler may run in another thread meanwhile (the window's main thread):
// it waits for every such stretch to end before it removes the registered
// files, and once it has begun, no new stretch may create a file.
class TemporaryFileCreation {
 public:
  TemporaryFileCreation();
  ~TemporaryFileCreation();
  TemporaryFileCreation(const TemporaryFileCreation&) = delete;
  TemporaryFileCreation& operator=(const TemporaryFileCreation&) = delete;

  // False once the process is being ended: create nothing.
  bool Allowed() const { return allowed_; }

 private:
  ScopedSignalBlock block_;
  bool allowed_;
};

// Registers a temporary file's path for removal by the handler; returns a
// slot for ReleaseTemporaryFile, or -1 when every slot is taken (the file
// is then only removed by its owner).
int RegisterTemporaryFile(const char* path);
void ReleaseTemporaryFile(int slot);

}  // namespace quillon
