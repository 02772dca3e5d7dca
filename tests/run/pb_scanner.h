// A small scanner of PureBasic tokens, the tests' stand-in for the compiler:
// which constants a text defines (Enumeration members, "#Name =" lines) and
// which it uses, outside strings and comments. Names are upper-cased (the
// language ignores case); a string constant keeps its "$".
#pragma once

#include <functional>
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

// Gives the text of a file that the program includes, by its name as
// written; false when there is no such file.
using ProgramFiles = std::function<bool(const std::string& name, std::string* text)>;

// The compile proxy: reads the program from `main_file` through its
// IncludeFile / XIncludeFile lines, in the order a one-pass compiler does,
// and returns what that compiler would refuse, one short reason each:
// constants used before their definition or never defined (PureBasic's own
// aside), defined twice with different values; procedures called before
// their declaration or definition, declared but not defined exactly once,
// defined twice; blocks not closed in their file or closed by the wrong
// keyword; included files that are missing.
std::vector<std::string> CheckProgram(const std::string& main_file, const ProgramFiles& files);

}  // namespace quillon::testing
