// Saved names that earlier runs recorded for objects made with #PB_Any, such
// as "Main_PB_Any": they never were constants of the form, so the constant
// check does not ask the user about them.
#pragma once

#include "text/text.h"

namespace quillon {

// Removes from `names` every name that is a window name of `windows` or
// `other_windows` (exact case), "_" and a name starting with "PB_" (any case).
void DropPbAnyNames(const Lines& windows, const Lines& other_windows, Lines* names);

}  // namespace quillon
