#include "analysis/step1.h"

namespace quillon {

// PLACEHOLDER until the Step 1 passes land.
bool RunStep1(Workspace&, RunHost&) { return false; }

}  // namespace quillon
