// The real dialogs: GTK message boxes, input boxes and file choosers, modal
// to a parent.
#pragma once

#include <gtk/gtk.h>

#include "app/dialog_service.h"

namespace quillon::app {

class GtkDialogService final : public DialogService {
 public:
  // The window the dialogs are modal to (may be null).
  void SetParent(GtkWindow* parent) { parent_ = parent; }

  bool AskYesNo(const Text& title, const Text& text) override;
  Answer AskYesNoClosable(const Text& title, const Text& text) override;
  Answer AskYesNoCancel(const Text& title, const Text& text, const Text& detail, Answer default_answer,
                        Answer if_closed) override;
  void ShowMessage(const Text& title, const Text& text) override;
  void ShowError(const Text& title, const Text& text) override;
  Text AskInput(const Text& title, const Text& prompt, const Text& preset) override;
  Text ChooseSaveFile(const Text& title, const Text& start, const Text& patterns) override;
  Text ChooseOpenFile(const Text& title, const Text& start, const Text& patterns) override;
  Lines ChooseOpenFiles(const Text& title, const Text& start, const Text& patterns) override;

 private:
  GtkWidget* NewChooser(const Text& title, GtkFileChooserAction action, const Text& start, const Text& patterns);
  int RunMessage(GtkMessageType type, GtkButtonsType buttons, const Text& title, const Text& text);
  // A question with Yes, No and, when `with_cancel`, Cancel.
  Answer RunQuestion(const Text& title, const Text& text, const Text& detail, bool with_cancel, Answer default_answer,
                     Answer if_closed);

  GtkWindow* parent_ = nullptr;
};

}  // namespace quillon::app
