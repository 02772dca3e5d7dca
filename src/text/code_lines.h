// The shape of a line of PureBasic code: its names, where its code ends,
// its statements and their first words.
#pragma once

#include <vector>

#include "text/text.h"

namespace quillon {

// Letters beyond ASCII (every byte of their UTF-8) count as name characters, so that a name is never cut
// in the middle of a word written in another alphabet.
inline bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
inline bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

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
