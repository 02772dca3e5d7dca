// Constants that a form file defines outside its procedures. Only procedures
// reach CommonFile.pb, so a form whose code uses such a constant needs it
// from an include of the user's own: the run names each one in the log.
#pragma once

#include <vector>

#include "analysis/constant_tokens.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Reads the lines of one source file that lie outside its procedures and
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
// code uses and that is not a window or object of the run, once, in the
// order found.
void WarnAboutOutsideConstants(const Workspace& ws, RunHost& host);

}  // namespace quillon
