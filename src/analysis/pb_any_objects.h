// Windows, bars and gadgets that a designer form creates with #PB_Any and
// keeps in a variable become constant objects, so that every later pass
// treats them as if the designer had written constants:
//   Button_0 = ButtonGadget(#PB_Any, 10, 10, 80, 25, "OK")
// becomes
//   ButtonGadget(#Button_0, 10, 10, 80, 25, "OK") : Button_0 = #Button_0
// and every other use of Button_0 in the form code becomes #Button_0. The
// variable still gets the object's number, for the user's own code.
#pragma once

#include <vector>

#include "model/workspace.h"

namespace quillon {

// Runs before the window prefixes. Returns the indexes of the form code
// lines it converted, in order.
std::vector<size_t> ConvertPbAnyObjects(Workspace& ws);

// After the object collection: records in pb_any_objects the collected name
// of each converted line (window prefix included), once, in order.
void RecordPbAnyObjects(AnalysisModel& model, const std::vector<size_t>& converted_lines);

// The tail " : V = #V" that a converted line carries at the end of its code
// (the window prefix may stand after its "#"): its index, or npos.
size_t PbAnyTail(TextView line, TextView object_name);

}  // namespace quillon
