// The "#Name" tokens of a line of PureBasic code: the constants a line refers
// to or defines, found outside its string literals and its comment.
#pragma once

#include <vector>

#include "text/code_lines.h"
#include "text/text.h"

namespace quillon {

struct ConstantToken {
  size_t hash = 0;               // index of the "#" in the line (from 0)
  size_t length = 0;             // length of the name after the "#", without a "$"
  bool string_constant = false;  // the name is followed by "$" (#TAB$)

  TextView Name(TextView line) const { return line.substr(hash + 1, length); }
};

// Appends to `tokens` every "#" + name of `line` (name: a letter or "_", then
// letters, digits and "_") that is not followed by another such character,
// outside string literals (from one double quote to the next) and before the
// ";" that starts a comment.
void FindConstantTokens(TextView line, std::vector<ConstantToken>* tokens);
// The token that begins at index `at` of `line`, when a "#" + name does.
bool ConstantTokenAt(TextView line, size_t at, ConstantToken* token);

// True when the upper-cased line begins, after blanks and tabs, with the
// upper-case keyword as a whole word.
bool BeginsWithKeyword(TextView upper_line, TextView keyword);
// The first line of an Enumeration or EnumerationBinary block, and its last.
bool IsEnumerationStart(TextView upper_line);
bool IsEnumerationEnd(TextView upper_line);

// Finds the constant that each line of a run of lines defines: a member of an
// Enumeration / EnumerationBinary block, or a "#Name = ..." line. Either is
// the first thing on its line.
class ConstantDefinitions {
 public:
  // True, with the token of the defined name, when `line` defines one.
  bool Find(const Text& line, ConstantToken* defined);

 private:
  bool in_enumeration_ = false;
  Text upper_;
  std::vector<ConstantToken> tokens_;
};

// PureBasic's own constants: names starting with "PB_" in any case.
bool IsPureBasicConstantName(TextView name);

}  // namespace quillon
