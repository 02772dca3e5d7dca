// The user gadget list "UserList.INI": procedure names that create gadgets.
#pragma once

#include <string>

#include "host/run_host.h"
#include "text/text.h"

namespace quillon {

inline constexpr TextView kUserListBoxTitle = "UserGadgetList";
inline constexpr TextView kErrorOpenUserList = "Error open file usergadgetlist";
inline constexpr TextView kSaveUserListTitle = "Save UserGadget";
inline constexpr TextView kErrorSaveUserList = "Error save file usergadget";

// Names of the "[USERGADGET]" section, blanks trimmed. Nothing is created;
// false when the file cannot be read.
bool ReadUserGadgetFile(const std::string& path, Lines* names);

// Start-up: reads the list; a missing or empty file gets the section header.
// A file that can neither be read nor created shows the error box.
void LoadUserGadgets(const std::string& path, Lines* names, ErrorReporter& reporter);

// "Ok" of the User gadget window: the header and one line per name.
bool SaveUserGadgets(const std::string& path, const Lines& names, ErrorReporter& reporter);

}  // namespace quillon
