#include "app/info_box.h"

namespace quillon::app {

Text ComposeInfoText() {
  return T("Quillon Deluxe Version v5.17\nRev. ") + ToText(kRevision) + T("\n\n") +
         T("Event code generator for form designer sources, made by the Quillon developers.");
}

void ShowInfoBox(DialogService& dialogs, const Text& info_text) { dialogs.ShowMessage(T("Info"), info_text); }

}  // namespace quillon::app
