#include "io/interrupt_cleanup.h"

#include <limits.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace quillon {

namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// A few slots: one file is written at a time by a run; the window may save
// its settings meanwhile.
constexpr int kSlots = 4;
enum SlotState : int { kFree = 0, kFilling = 1, kReady = 2 };
std::atomic<int> slot_state[kSlots];
char slot_path[kSlots][PATH_MAX];

// Threads between creating a temporary file and registering it, and
// whether the handler has begun. Both sequentially consistent: a thread
// that counts itself in and then finds `ending` false is seen by the
// handler, which sets `ending` before it reads the count.
std::atomic<int> creating{0};
std::atomic<bool> ending{false};

// The longest the handler waits for a file being created: a creation takes
// microseconds, unless the file system hangs.
constexpr int kCreationWaitSteps = 2000;  // of 1 ms

void WaitForCreations() {
  const struct timespec step = {0, 1000000};
  for (int i = 0; i < kCreationWaitSteps && creating.load() > 0; ++i) ::nanosleep(&step, nullptr);
}

void RemoveAndEnd(int signal_number) {
  // Only async-signal-safe calls here: nanosleep, unlink and raise.
  ending.store(true);
  WaitForCreations();
  for (int i = 0; i < kSlots; ++i) {
    if (slot_state[i].load(std::memory_order_acquire) == kReady) ::unlink(slot_path[i]);
  }
  // SA_RESETHAND put the default action back; the signal is delivered again
  // once this handler returns and ends the process with its status.
  ::raise(signal_number);
}

sigset_t CleanupSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kSignals) sigaddset(&set, s);
  return set;
}

}  // namespace

ScopedInterruptCleanup::ScopedInterruptCleanup() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = RemoveAndEnd;
  action.sa_mask = CleanupSignals();
  action.sa_flags = SA_RESETHAND;
  for (int i = 0; i < 3; ++i) {
    // A signal the process ignores (nohup) stays ignored.
    struct sigaction current;
    if (::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    installed_[i] = ::sigaction(kSignals[i], &action, &previous_[i]) == 0;
  }
}

ScopedInterruptCleanup::~ScopedInterruptCleanup() {
  for (int i = 0; i < 3; ++i) {
    if (installed_[i]) ::sigaction(kSignals[i], &previous_[i], nullptr);
  }
}

ScopedSignalBlock::ScopedSignalBlock() {
  const sigset_t set = CleanupSignals();
  ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

ScopedSignalBlock::~ScopedSignalBlock() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

TemporaryFileCreation::TemporaryFileCreation() {
  creating.fetch_add(1);
  allowed_ = !ending.load();
}

TemporaryFileCreation::~TemporaryFileCreation() { creating.fetch_sub(1); }

int RegisterTemporaryFile(const char* path) {
  if (std::strlen(path) >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slot_state[i].compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) {
      std::strcpy(slot_path[i], path);
      slot_state[i].store(kReady, std::memory_order_release);
      return i;
    }
  }
  return -1;
}

void ReleaseTemporaryFile(int slot) {
  if (slot >= 0 && slot < kSlots) slot_state[slot].store(kFree, std::memory_order_release);
}

}  // namespace quillon
