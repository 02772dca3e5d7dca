// The window's run host: each call becomes a worker request served by the
// main thread. Called on the worker thread only; never touches GTK.
#pragma once

#include "app/worker_requests.h"
#include "host/run_host.h"

namespace quillon::app {

// Argument of request 1026; the main thread fills `reply` before replying.
struct BindQuestion {
  int kind = 0;
  const Lines* unbound_old = nullptr;
  const Lines* unbound_new = nullptr;
  const std::vector<SuggestedBinding>* suggested = nullptr;  // none when null
  BindReply reply;
};

// Argument of request 1031.
struct ErrorBoxText {
  Text title;
  Text message;
};

class GuiRunHost final : public RunHost {
 public:
  explicit GuiRunHost(RequestQueue& requests) : requests_(requests) {}

  void AddLogLine(const Text& line) override;
  BindReply AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) override;
  BindReply AskSuggestedBindings(int kind, const Lines& unbound_old, const Lines& unbound_new,
                                 const std::vector<SuggestedBinding>& suggested) override;
  bool AskProjectName() override;
  Lines FileListItems() override;
  void ShowError(const Text& title, const Text& message) override;
  // The message, then the path and the reason on their own line.
  void ShowFileError(const Text& title, const Text& message, const Text& path, const Text& reason) override;

 private:
  RequestQueue& requests_;
};

}  // namespace quillon::app
