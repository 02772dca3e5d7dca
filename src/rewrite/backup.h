// The copy of the project directory's PureBasic files into its "Backup"
// directory, made before Step 3 changes anything.
#pragma once

#include <string_view>

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

inline constexpr std::string_view kBackupDirectoryName = "Backup";

// "*.pb*", case-sensitive, where the "*" after ".pb" holds no further dot:
// the name's extension begins with "pb".
bool IsBackupName(std::string_view file_name);

// Copies every regular "*.pb*" file of the project directory (not of its
// subdirectories) into "Backup", created with mode 700 when missing; a
// "Backup" that is a link or another user's folder gets no copy. Goes
// on after a failed file; any failure logs "- Error CopyDirectory" once.
// True when everything was copied.
bool MakeBackup(Workspace& ws, RunHost& host);

}  // namespace quillon
