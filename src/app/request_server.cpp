#include "app/request_server.h"

#include "app/app.h"
#include "app/command_table.h"
#include "app/generation_worker.h"
#include "app/gui_run_host.h"
#include "app/project_commands.h"

namespace quillon::app {

namespace {

void Reply(App& app, WorkerRequest& request, int32_t result) { app.requests.ReplyRequest(&request, result); }

void OpenBindWindow(App& app, WorkerRequest& request) {
  auto* question = static_cast<BindQuestion*>(request.data);
  app.main->SetEnabled(false);
  app.bind_window_open = true;
  ChildWindowEvents events;
  events.gadget = [&app](int gadget, int event_type) { DispatchGadget(app, gadget, event_type); };
  events.close = [&app] { DispatchClose(app, kWindowBind); };
  events.reply = [&app](int result) { ReplyBindRequest(app, result); };
  app.bind_window->Open(app.main->window(), question->kind, *question->unbound_old, *question->unbound_new, events);
  if (question->suggested) app.bind_window->Suggest(*question->suggested);
}

}  // namespace

bool BindReplyPending(const App& app) {
  // A replied request is gone from the worker's stack: look at it only while
  // it is outstanding.
  WorkerRequest* request = app.requests.PendingRequest();
  return request && app.requests.IsOutstanding(request) && request->kind == kRequestOpenBindDialog;
}

void ReplyBindRequest(App& app, int result) {
  // Only the outstanding 1026 takes a reply; a late second one is ignored.
  if (!BindReplyPending(app)) return;
  WorkerRequest* request = app.requests.PendingRequest();
  auto* question = static_cast<BindQuestion*>(request->data);
  question->reply.cancelled = result != 0;
  question->reply.todo = result == 0 ? app.bind_window->TodoList() : Lines();
  question->reply.suggested = result == 0 ? app.bind_window->SuggestedTodo() : Lines();
  app.pairs_bound_in_run += question->reply.todo.size();
  app.requests.ReplyRequest(request, result);
}

void ServeRequest(App& app, WorkerRequest& request) {
  switch (request.kind) {
    case kRequestCloseStartWindow:
      app.start_window.reset();
      // A licence window opened meanwhile keeps the main window disabled.
      if (!app.ChildOpen()) app.main->SetEnabled(true);
      Reply(app, request, 0);
      return;
    case kRequestOpenBindDialog:
      OpenBindWindow(app, request);  // replied by the window: Continue or close box
      return;
    case kRequestCloseBindDialog:
      if (app.bind_window_open) app.bind_window->Close();
      app.bind_window_open = false;
      if (!app.ChildOpen()) app.main->SetEnabled(true);
      Reply(app, request, 0);
      return;
    case kRequestAddLogLine:
      if (IsErrorLine(*static_cast<const Text*>(request.data))) app.run_reported_error = true;
      app.main->AppendLogLine(*static_cast<const Text*>(request.data));
      Reply(app, request, 0);
      return;
    case kRequestFileListItems:
      *static_cast<Lines*>(request.data) = app.ws.project.files;
      Reply(app, request, 0);
      return;
    case kRequestProjectName: Reply(app, request, SaveAs(app) ? 1 : 0); return;
    case kRequestShowError: {
      const ErrorBoxText box = *static_cast<const ErrorBoxText*>(request.data);
      app.dialogs.ShowError(box.title, box.message);
      Reply(app, request, 0);
      return;
    }
    case kRequestRunFinished:
      Reply(app, request, 0);
      FinishGenerationRun(app);
      return;
    default:
      Reply(app, request, 0);  // never leave a worker waiting
      return;
  }
}

}  // namespace quillon::app
