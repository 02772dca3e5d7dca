// Renaming an object that the form keeps in a #PB_Any variable: the user's
// code uses the variable as well as the constant, so both move together.
#pragma once

#include <vector>

#include "model/analysis_model.h"
#include "model/check_lists.h"

namespace quillon {

class VariableRenames {
 public:
  VariableRenames() = default;
  // One pair per binding whose new name was made from a variable: the old
  // name's variable to the new name's (a name without its window prefix and
  // "_"; a window's variable is its name). `windows` are the names whose
  // prefixes are taken off, this run's and the saved ones.
  VariableRenames(const std::vector<Replacement>& replacements, const AnalysisModel& model, const Lines& saved_windows);

  bool Empty() const { return pairs_.empty(); }
  // Renames each old variable in `line` as a whole word compared without
  // case, also in strings and comments, but not after "#", ".", "\", "*" or
  // "@", and not before "$", "\" or a "(" (a procedure of the same name).
  // Returns the number of pairs that changed the line.
  long Apply(Text& line) const;
  long Apply(Lines& lines) const;
  long Apply(LineStore& lines) const;

 private:
  struct Pair {
    Text upper_old;
    Text new_name;
  };
  std::vector<Pair> pairs_;
};

}  // namespace quillon
