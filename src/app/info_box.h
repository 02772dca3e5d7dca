// The Info box (command 10) and its text, composed once at start.
#pragma once

#include "app/dialog_service.h"

namespace quillon::app {

inline constexpr long kRevision = 383656;

// "Quillon Deluxe Version v5.17\nRev. 383656" + "\n\n" + attribution line.
Text ComposeInfoText();

void ShowInfoBox(DialogService& dialogs, const Text& info_text);

}  // namespace quillon::app
