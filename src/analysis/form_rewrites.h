// The switch-driven rewrites of the form code after the objects have been
// collected: parent windows, automatic positions, menu tab marks and zero
// images. Each walks the form code once and rewrites lines in place.
#pragma once

#include "model/workspace.h"

namespace quillon {

// Every window after the first gets the first window as its parent.
void SetParentWindows(Workspace& ws);
// Window x and y become #PB_Ignore.
void SetAutomaticPositions(Workspace& ws);
// A backslash-t in a menu item text becomes a concatenation with #TAB$.
void ConvertMenuTabs(Workspace& ws);
// Image gadgets are created with image 0.
void SetImageGadgetsToZero(Workspace& ws);

}  // namespace quillon
