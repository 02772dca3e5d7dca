// Requests from the generation worker to the main thread. The worker posts a
// WorkerRequest and blocks on the request's own semaphore; the main loop
// serves requests one at a time, in posting order, and replies. GLib wakes
// the main loop (and the nested loop of any modal dialog) for each post.
#pragma once

#include <glib.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace quillon::app {

// Request kinds: the four of the run frame, then the host's own.
enum RequestKind : int {
  kRequestCloseStartWindow = 1025,
  kRequestOpenBindDialog = 1026,
  kRequestCloseBindDialog = 1027,
  kRequestAddLogLine = 1028,
  kRequestFileListItems = 1029,  // data: Lines* to fill with a copy
  kRequestProjectName = 1030,    // result 1 when Save As succeeded
  kRequestShowError = 1031,      // data: ErrorBoxText*
  kRequestRunFinished = 1032,    // the worker's last request
};

// Result given to every request that a shutdown releases (the bind dialog's
// "cancel").
inline constexpr int32_t kResultReleased = 2;

// Counting semaphore with initial count 0 (C++17 has none).
class Semaphore {
 public:
  void Signal();
  void Wait();

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  int count_ = 0;
};

// Lives on the worker's stack for the duration of one request.
struct WorkerRequest {
  Semaphore semaphore;
  int32_t result = 0;  // written by the main thread right before it signals
  int kind = 0;
  intptr_t value = 0;    // small argument (the constant kind of 1026)
  void* data = nullptr;  // typed argument by kind
};

class RequestQueue {
 public:
  // `serve` runs on the main thread for each request, with PendingRequest
  // already set; it replies at once or later through ReplyRequest.
  explicit RequestQueue(std::function<void(WorkerRequest&)> serve);
  ~RequestQueue();
  RequestQueue(const RequestQueue&) = delete;
  RequestQueue& operator=(const RequestQueue&) = delete;

  // Worker thread: posts the request and blocks until the reply. After a
  // shutdown it returns kResultReleased at once.
  int32_t SendRequest(int kind, intptr_t value = 0, void* data = nullptr);

  // Main thread: stores the result and releases the worker. False (and no
  // effect) when the request is not outstanding any more.
  bool ReplyRequest(WorkerRequest* request, int32_t result);
  // Main thread: whether `request` still waits for its reply.
  bool IsOutstanding(const WorkerRequest* request) const;
  // Main thread: the request being served, until it is replied (then null).
  WorkerRequest* PendingRequest() const { return pending_; }

  // Main thread: refuses new requests and releases every waiting worker.
  void Shutdown();

 private:
  static gboolean Dispatch(gpointer self);
  void ScheduleLocked();

  std::function<void(WorkerRequest&)> serve_;
  mutable std::mutex mutex_;
  std::deque<WorkerRequest*> queue_;         // posted, not yet served
  std::vector<WorkerRequest*> outstanding_;  // posted, not yet replied
  bool scheduled_ = false;
  bool shut_down_ = false;
  WorkerRequest* pending_ = nullptr;
};

}  // namespace quillon::app
