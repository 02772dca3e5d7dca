// The renaming passes of Step 3 over the lines read back from Main.pb
// and the event files. Each walks the replacements from first to last and
// changes lines in place; none adds or removes a line.
#pragma once

#include <vector>

#include "model/analysis_model.h"
#include "model/check_lists.h"
#include "check/window_prefix_guard.h"
#include "rewrite/variable_renames.h"

namespace quillon {

// Window bindings: "EventMenu_old_", "EventGadget_old_", "EventSize_old_",
// "EventExit_old_" and "#old_" renamed by plain (not whole-word) replacement,
// except where the text begins the name of a window that `guard` keeps apart.
void UpdatePrefixes(const std::vector<Replacement>& replacements, AnalysisModel& a,
                    const WindowPrefixGuard& guard = WindowPrefixGuard());
// Event procedure names of menu items, gadgets and windows (whole words).
void UpdateProcedures(const std::vector<Replacement>& replacements, AnalysisModel& a);
// "#old" renamed for every binding (whole words).
void UpdateConstants(const std::vector<Replacement>& replacements, AnalysisModel& a);
// "Open_old()" renamed for window bindings (whole words).
void UpdateOpenWindows(const std::vector<Replacement>& replacements, AnalysisModel& a);
// The #PB_Any variables of renamed objects.
void UpdateVariables(const VariableRenames& variables, AnalysisModel& a);

}  // namespace quillon
