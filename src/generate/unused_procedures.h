// Event procedures the user still has but no object of the run needs any
// more (a rename left unbound, a removed gadget). They are only named in the
// log: the user decides what to do with the code in them.
#pragma once

#include "model/analysis_model.h"
#include "host/run_host.h"

namespace quillon {

// " -> Unused Procedure <name> in <path>" for every generated signature in
// EventMenu.pb, EventGadget.pb and EventWindow.pb (in this order, lines in
// file order) whose object is not a menu item, a gadget with a procedure or
// a window of this run; then every procedure of EventDesigner.pb that no
// carried Declare of the run declares.
void LogUnusedProcedures(const AnalysisModel& model, const Text& project_directory, RunHost& host);

}  // namespace quillon
