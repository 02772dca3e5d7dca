// The constant enumerations of CommonFile.pb.
#pragma once

#include "model/workspace.h"

namespace quillon {

// Appends eight Enumeration blocks (windows, menu bars, menu items, gadgets,
// status bars, tool bars, fonts, images) to ConstantsCode. Their order
// numbers the constants the dispatch tables index by.
void BuildConstantsCode(Workspace& ws);

}  // namespace quillon
