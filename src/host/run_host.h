// What the core needs from a front end. The GUI implements it with requests
// to its main thread, the command line with stdout and flags, tests with
// scripted fakes. Unless a method says otherwise it is called on the thread
// that runs the generation (the GUI's worker thread).
#pragma once

#include <vector>

#include "model/check_lists.h"
#include "text/text.h"

namespace quillon {

// Message boxes of interactive operations (project and user-list files).
// Called on whichever thread runs the operation.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void ShowError(const Text& title, const Text& message) = 0;
  // A file that could not be read or written: `path` and the system's
  // `reason` say which and why. Front ends that show only the message keep
  // this default.
  virtual void ShowFileError(const Text& title, const Text& message, const Text& path, const Text& reason) {
    (void)path;
    (void)reason;
    ShowError(title, message);
  }
};

// The reply of the binding dialog for one constant kind.
struct BindReply {
  bool cancelled = false;
  // Todo entries, top to bottom, as they stood at the moment of the reply:
  // "old > new".
  Lines todo;
  // The entries of `todo` bound by suggestion, in the order bound.
  Lines suggested;
};

class RunHost : public ErrorReporter {
 public:
  // Appends one line to the log; returns when the line is shown.
  virtual void AddLogLine(const Text& line) = 0;
  // Shows the binding dialog for `kind` with the unbound names and waits
  // for the user's reply.
  virtual BindReply AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) = 0;
  // The same dialog with the pairs the core suggests (in old-list order).
  // What the run asks; a front end without use for the suggestions keeps
  // this default.
  virtual BindReply AskSuggestedBindings(int kind, const Lines& unbound_old, const Lines& unbound_new,
                                         const std::vector<SuggestedBinding>& suggested) {
    (void)suggested;
    return AskBindings(kind, unbound_old, unbound_new);
  }
  // Runs the Save As sequence for a project without a file name; true when
  // the project was saved under a name.
  virtual bool AskProjectName() = 0;
  // The file list's items at the start of a run, top to bottom.
  virtual Lines FileListItems() = 0;
};

}  // namespace quillon
