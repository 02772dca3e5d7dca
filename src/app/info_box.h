// The Info box (command 10) and its text, composed once at start.
#pragma once

#include <string>

#include "app/dialog_service.h"
#include "quillon_version.h"

namespace quillon::app {

inline constexpr long kRevision = QUILLON_REVISION;

// "Quillon Deluxe Version v5.17\nRev. 383656" + "\n\n" + attribution line,
// then a blank line and "Settings: " + the folder of QN4.INI and UserList.INI.
Text ComposeInfoText(const std::string& settings_folder);

void ShowInfoBox(DialogService& dialogs, const Text& info_text);

}  // namespace quillon::app
