// EventMain.pb: the four dispatchers that route events to the procedures of
// the event files, filled into the template Step 1 selected.
#pragma once

#include "model/analysis_model.h"

namespace quillon {

// Table form (UseCallFast on): counts and procedure address tables.
void FillCallTables(AnalysisModel& model);
// Select form (UseCallFast off): one Case line per object.
void FillDispatchers(AnalysisModel& model);

}  // namespace quillon
