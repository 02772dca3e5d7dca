// The shape of a line of PureBasic code as the designer-form rules see it:
// where its code ends, its statements and their first words.
#pragma once

#include <vector>

#include "text/text.h"

namespace quillon {

// Index of the ";" that starts the line's comment (outside string literals,
// which run from one double quote to the next), or the line's length.
size_t CodeEnd(TextView line);

// The statements of the line's code (its comment cut): split at ":" outside
// string literals.
void SplitStatements(TextView line, std::vector<TextView>* statements);

// The first word of a statement, upper-cased: its text after leading blanks
// and tabs, up to a blank, tab, ".", "(", ";" or ":".
void FirstWordUpper(TextView statement, Text* word);

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
