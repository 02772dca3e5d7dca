// Every question, message and file chooser of the main window goes through
// this interface, so tests can answer from a script; GtkDialogService is the
// real one. All methods run on the main thread and block until answered.
#pragma once

#include "text/text.h"

namespace quillon::app {

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Question box with Yes and No; true for Yes.
  virtual bool AskYesNo(const Text& title, const Text& text) = 0;
  // Message box with one OK button (information and errors).
  virtual void ShowMessage(const Text& title, const Text& text) = 0;
  // `patterns` is a pattern list such as "Project (*.pbm)|*.pbm": pairs of
  // shown name and pattern, first filter selected. An empty result or list
  // means cancelled.
  virtual Text ChooseSaveFile(const Text& title, const Text& start, const Text& patterns) = 0;
  virtual Text ChooseOpenFile(const Text& title, const Text& start, const Text& patterns) = 0;
  virtual Lines ChooseOpenFiles(const Text& title, const Text& start, const Text& patterns) = 0;
};

}  // namespace quillon::app
