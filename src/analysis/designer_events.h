// The designer's event settings: the procedures its form files declare, and
// which object its events procedure wires to which of them.
#pragma once

#include "model/analysis_model.h"

namespace quillon {

// Fills declared_procedures from the carried Declare lines (the first
// declaration of a name counts), then designer_wirings from the form code:
// a line whose code is exactly "Case #X", followed (blank and comment lines
// skipped) by a line whose code starts with a call of a declared procedure,
// wires X to that line's code. The first wiring of an object counts.
void ReadDesignerEvents(AnalysisModel& model);

}  // namespace quillon
