// Main.pb: the user's entry file. Only the opening call placeholder and the
// first-window test are adjusted; everything else is the user's.
#pragma once

#include "analysis/analysis_model.h"

namespace quillon {

// Fills "Open_WindowXY()" placeholders and rewrites the first line holding
// "If WindowID(#" for the first window. Without any window the lines stay
// unchanged, since there is nothing to name.
void AdjustMainFile(AnalysisModel& model);

}  // namespace quillon
