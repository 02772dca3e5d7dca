// Gadget 0: serving the worker's requests on the main thread.
#pragma once

#include "app/worker_requests.h"

namespace quillon::app {

struct App;

// Sets PendingRequest, performs the action of the request's kind and replies
// (request 1026 replies later, from the bind window).
void ServeRequest(App& app, WorkerRequest& request);

// The bind window's answer to the pending 1026: 0 continue, 2 cancel.
void ReplyBindRequest(App& app, int result);
// A 1026 is outstanding: the bind window's answer still counts.
bool BindReplyPending(const App& app);

}  // namespace quillon::app
