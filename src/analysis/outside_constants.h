// Constants that a form file defines outside its procedures and that
// CommonFile.pb does not carry (those inside a CompilerIf block): a form
// whose code uses one needs it from an include of the user's own, so the run
// names each one in the log.
#pragma once

#include <vector>

#include "analysis/constant_tokens.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Reads the top-level lines of one source file that are not carried and
// records the constants they define: "#Name = ..." lines and the members of
// Enumeration / EnumerationBinary blocks.
class OutsideConstantReader {
 public:
  OutsideConstantReader(const Text& file_item, std::vector<OutsideConstant>* found)
      : file_item_(file_item), found_(found) {}

  void Line(const Text& line);

 private:
  const Text& file_item_;
  std::vector<OutsideConstant>* found_;
  ConstantDefinitions definitions_;
};

// After the object collection: names every outside constant that the form
// code uses and that is not one of our own names, once, in the order found.
void WarnAboutOutsideConstants(const Workspace& ws, RunHost& host);

}  // namespace quillon
