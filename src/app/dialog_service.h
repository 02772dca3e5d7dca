// Every question, message, input box and file chooser of the windows goes
// through this interface, so tests can answer from a script; GtkDialogService
// is the real one. All methods run on the main thread and block until answered.
#pragma once

#include "text/text.h"

namespace quillon::app {

enum class Answer { kYes, kNo, kCancel };

// The text of an error box about a file: the message, then the path and the
// system's reason on a line of their own.
inline Text FileErrorText(const Text& message, const Text& path, const Text& reason) {
  return message + "\n" + path + ": " + reason;
}

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Question box with Yes and No; true for Yes. No is the default button and
  // closing the box (Escape, the close box) answers No.
  virtual bool AskYesNo(const Text& title, const Text& text) = 0;
  // The save question: Yes (the default button, so Return keeps the work),
  // No and a Cancel button. Cancel, Escape and the close box give kCancel:
  // the command that asked is abandoned.
  virtual Answer AskYesNoClosable(const Text& title, const Text& text) = 0;
  // Question box with Yes, No and Cancel. `detail` is a second line under
  // the text; Return gives `default_answer`, closing the box without an
  // answer (Escape, the close box) gives `if_closed`.
  virtual Answer AskYesNoCancel(const Text& title, const Text& text, const Text& detail, Answer default_answer,
                                Answer if_closed) = 0;
  // Input box with a single OK button, `preset` as the answer to start
  // from; Enter confirms, closing the box gives an empty answer.
  virtual Text AskInput(const Text& title, const Text& prompt, const Text& preset) = 0;
  // Message box with one OK button and the information icon.
  virtual void ShowMessage(const Text& title, const Text& text) = 0;
  // The same with the error icon.
  virtual void ShowError(const Text& title, const Text& text) = 0;
  // `patterns` is a pattern list such as "Project (*.pbm)|*.pbm": pairs of
  // shown name and pattern, first filter selected. An empty result or list
  // means cancelled.
  virtual Text ChooseSaveFile(const Text& title, const Text& start, const Text& patterns) = 0;
  virtual Text ChooseOpenFile(const Text& title, const Text& start, const Text& patterns) = 0;
  virtual Lines ChooseOpenFiles(const Text& title, const Text& start, const Text& patterns) = 0;
};

}  // namespace quillon::app
