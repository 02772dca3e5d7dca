// The declarations that a form file makes outside its procedures (Global,
// Declare, constants, Enumeration and DataSection blocks, CatchImage lines
// ...) are what its procedures need: CommonFile.pb carries them, in file list
// order and line order, as written, less what our own enumerations define.
#pragma once

#include <vector>

#include "analysis/outside_constants.h"
#include "model/analysis_model.h"

namespace quillon {

// Reads the top-level lines of one source file into the declaration
// candidates. Lines inside a top-level CompilerIf or CompilerSelect block are
// not carried; the constants they define go to `outside` (the log names them
// when the form code needs them).
class DeclarationReader {
 public:
  DeclarationReader(AnalysisModel& model, OutsideConstantReader& outside) : model_(model), outside_(outside) {}

  void Line(const Text& line);

 private:
  enum class Block { kNone, kEnumeration, kWhole };

  void Add(const Text& line, Text name = Text(), bool decoder = false);
  void TopLevel(const Text& line);
  // True when a statement of the line from the `from`th on ends the block.
  bool EndsBlock(const Text& line, size_t from);

  AnalysisModel& model_;
  OutsideConstantReader& outside_;
  Block block_ = Block::kNone;
  Text block_end_;  // the first word that ends the block
  long enumeration_ = -1;
  int compiler_depth_ = 0;
  Text word_;
  std::vector<TextView> statements_;
};

// After the object collection: fills carried_declarations from the
// candidates, leaving out the constants that are ours and the Enumeration
// blocks left without members; the candidates left are the carried ones.
void CarryDeclarations(AnalysisModel& model);

// After the image code: a carried Use...ImageDecoder() line that the image
// code writes already is left out.
void DropDecodersOfImageCode(AnalysisModel& model);

}  // namespace quillon
