// A small scanner of PureBasic tokens, the tests' stand-in for the compiler:
// which constants a text defines (Enumeration members, "#Name =" lines) and
// which it uses, outside strings and comments. Names are upper-cased (the
// language ignores case); a string constant keeps its "$".
#pragma once

#include <set>
#include <string>
#include <vector>

namespace quillon::testing {

struct PbConstants {
  std::set<std::string> defined;
  std::set<std::string> defined_outside_procedures;
  std::vector<std::string> used;  // every use, in text order
};

// Scans UTF-8 text (a byte-order mark and CR line ends allowed) and adds
// what it finds to `out`.
void ScanPureBasic(const std::string& text, PbConstants* out);

}  // namespace quillon::testing
