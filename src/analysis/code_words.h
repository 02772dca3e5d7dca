// A designer line that keeps a #PB_Any object's number in a variable:
// "V = Cmd(#PB_Any" + rest.
#pragma once

#include <vector>

#include "text/code_lines.h"
#include "text/text.h"

namespace quillon {

// A line "V = Cmd(#PB_Any" + rest: V a name, blanks and tabs around "=".
struct PbAnyAssignment {
  size_t indent = 0;  // length of the leading blanks and tabs
  TextView variable;
  TextView command;  // as written
  size_t rest = 0;   // index right after "#PB_Any"
  size_t code_end = 0;
};
bool MatchPbAnyAssignment(TextView line, PbAnyAssignment* match);

}  // namespace quillon
