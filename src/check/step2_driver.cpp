#include "check/step2.h"

namespace quillon {

// PLACEHOLDER until the constant check lands.
bool CheckConstants(Workspace&, RunHost&) { return true; }

}  // namespace quillon
