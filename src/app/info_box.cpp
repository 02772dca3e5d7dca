#include "app/info_box.h"

namespace quillon::app {

Text ComposeInfoText(const std::string& settings_folder) {
  return T(QUILLON_PRODUCT_TITLE "\nRev. ") + ToText(kRevision) + T("\n\n") +
         T("Event code generator for form designer sources, made by the Quillon developers.") + T("\n\nSettings: ") +
         FromUtf8(settings_folder);
}

void ShowInfoBox(DialogService& dialogs, const Text& info_text) { dialogs.ShowMessage(T("Info"), info_text); }

}  // namespace quillon::app
