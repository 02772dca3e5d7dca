// Main.pb: the user's entry file. Only the opening call placeholder and the
// first-window test are adjusted; everything else is the user's.
#pragma once

#include "model/analysis_model.h"

namespace quillon {

// Fills "Open_WindowXY()" placeholders and rewrites the first window test
// (a line whose code is "If WindowID(#" + name + ")" and nothing else) for the
// first window; a user's line that merely holds "If WindowID(#" stays. Without any window the lines stay
// unchanged, since there is nothing to name.
void AdjustMainFile(AnalysisModel& model);

}  // namespace quillon
