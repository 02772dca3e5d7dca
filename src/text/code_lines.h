// The shape of a line of PureBasic code: its names, where its code ends,
// its statements and their first words.
#pragma once

#include <vector>

#include "text/text.h"

namespace quillon {

// Letters beyond ASCII count as name characters, so that a name is never cut
// in the middle of a word written in another alphabet.
inline bool IsNameStart(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_' || c >= 0x80;
}
inline bool IsNameChar(char32_t c) { return IsNameStart(c) || (c >= U'0' && c <= U'9'); }

// Index of the ";" that starts the line's comment (outside string literals,
// which run from one double quote to the next), or the line's length.
size_t CodeEnd(TextView line);
// The line without its comment.
inline TextView CodeOfLine(TextView line) { return line.substr(0, CodeEnd(line)); }

// The statements of the line's code (its comment cut): split at ":" outside
// string literals.
void SplitStatements(TextView line, std::vector<TextView>* statements);

// The first word of a statement: its text after leading blanks and tabs, up
// to a blank, tab, ".", "(", ";" or ":".
TextView FirstWordOf(TextView statement);
// The same, upper-cased into `word`.
void FirstWordUpper(TextView statement, Text* word);

}  // namespace quillon
