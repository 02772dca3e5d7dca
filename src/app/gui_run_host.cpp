#include "app/gui_run_host.h"

#include "app/dialog_service.h"

namespace quillon::app {

void GuiRunHost::AddLogLine(const Text& line) {
  Text copy = line;  // the main thread reads it while we wait
  requests_.SendRequest(kRequestAddLogLine, 0, &copy);
}

BindReply GuiRunHost::AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) {
  return AskSuggestedBindings(kind, unbound_old, unbound_new, {});
}

BindReply GuiRunHost::AskSuggestedBindings(int kind, const Lines& unbound_old, const Lines& unbound_new,
                                           const std::vector<SuggestedBinding>& suggested) {
  BindQuestion question;
  question.suggested = &suggested;
  question.kind = kind;
  question.unbound_old = &unbound_old;
  question.unbound_new = &unbound_new;
  const int32_t result = requests_.SendRequest(kRequestOpenBindDialog, kind, &question);
  BindReply reply = question.reply;
  if (result != 0) reply.cancelled = true;  // cancel, or released by a shutdown
  requests_.SendRequest(kRequestCloseBindDialog);
  return reply;
}

bool GuiRunHost::AskProjectName() { return requests_.SendRequest(kRequestProjectName) == 1; }

Lines GuiRunHost::FileListItems() {
  Lines copy;
  requests_.SendRequest(kRequestFileListItems, 0, &copy);
  return copy;
}

void GuiRunHost::ShowError(const Text& title, const Text& message) {
  ErrorBoxText box{title, message};
  requests_.SendRequest(kRequestShowError, 0, &box);
}

void GuiRunHost::ShowFileError(const Text& title, const Text& message, const Text& path, const Text& reason) {
  ShowError(title, FileErrorText(message, path, reason));
}

}  // namespace quillon::app
