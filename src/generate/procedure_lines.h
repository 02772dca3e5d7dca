// Reading procedure declarations and definitions off PureBasic lines, by the
// first word of a line's code.
#pragma once

#include <vector>

#include "text/code_lines.h"
#include "text/text.h"

namespace quillon {

// The procedure name, as written and without type or "*", of a line whose
// code is one statement starting with Declare, DeclareC, DeclareDLL or
// DeclareCDLL; empty for any other line.
TextView DeclaredProcedureName(TextView line);
// The same for a line whose first word is Procedure, ProcedureC,
// ProcedureDLL or ProcedureCDLL.
TextView DefinedProcedureName(TextView line);
// The Procedure line a Declare line stands for: without leading blanks and
// tabs, without its comment and the blanks before it, and its first seven
// characters ("Declare") made "Procedure".
Text ProcedureLineOfDeclare(TextView line);

}  // namespace quillon
