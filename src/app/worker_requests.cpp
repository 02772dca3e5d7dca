#include "app/worker_requests.h"

#include <algorithm>

namespace quillon::app {

void Semaphore::Signal() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++count_;
  cv_.notify_one();
}

void Semaphore::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  cv_.wait(lock, [this] { return count_ > 0; });
  --count_;
}

RequestQueue::RequestQueue(std::function<void(WorkerRequest&)> serve) : serve_(std::move(serve)) {}

RequestQueue::~RequestQueue() {
  Shutdown();
  // Idle sources still point at this queue.
  while (g_source_remove_by_user_data(this)) {
  }
}

void RequestQueue::ScheduleLocked() {
  scheduled_ = true;
  // Default priority: above GTK's redraw, so a line is shown before the
  // next one arrives; the context's wake-up also reaches nested loops.
  g_idle_add_full(G_PRIORITY_DEFAULT, &RequestQueue::Dispatch, this, nullptr);
}

int32_t RequestQueue::SendRequest(int kind, intptr_t value, void* data) {
  WorkerRequest request;
  request.kind = kind;
  request.value = value;
  request.data = data;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shut_down_) return kResultReleased;
    queue_.push_back(&request);
    outstanding_.push_back(&request);
    if (!scheduled_) ScheduleLocked();
  }
  request.semaphore.Wait();
  std::lock_guard<std::mutex> lock(mutex_);  // pairs with the reply's write
  return request.result;
}

gboolean RequestQueue::Dispatch(gpointer self) {
  auto* queue = static_cast<RequestQueue*>(self);
  WorkerRequest* request = nullptr;
  {
    std::lock_guard<std::mutex> lock(queue->mutex_);
    if (!queue->queue_.empty()) {
      request = queue->queue_.front();
      queue->queue_.pop_front();
    }
    // A request posted while this one is served (even inside a modal
    // dialog's loop) gets a source of its own.
    if (queue->queue_.empty()) {
      queue->scheduled_ = false;
    } else {
      queue->ScheduleLocked();
    }
  }
  if (request) {
    queue->pending_ = request;
    queue->serve_(*request);
  }
  return G_SOURCE_REMOVE;
}

bool RequestQueue::IsOutstanding(const WorkerRequest* request) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::find(outstanding_.begin(), outstanding_.end(), request) != outstanding_.end();
}

bool RequestQueue::ReplyRequest(WorkerRequest* request, int32_t result) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = std::find(outstanding_.begin(), outstanding_.end(), request);
  if (it == outstanding_.end()) return false;
  outstanding_.erase(it);
  if (pending_ == request) pending_ = nullptr;  // the worker's stack frame ends with the reply
  request->result = result;
  request->semaphore.Signal();
  return true;
}

void RequestQueue::Shutdown() {
  std::lock_guard<std::mutex> lock(mutex_);
  shut_down_ = true;
  queue_.clear();
  for (WorkerRequest* request : outstanding_) {
    request->result = kResultReleased;
    request->semaphore.Signal();
  }
  outstanding_.clear();
  pending_ = nullptr;
}

}  // namespace quillon::app
