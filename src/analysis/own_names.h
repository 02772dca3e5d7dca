// The names that our own generated enumerations define, or that PureBasic
// defines: a designer's definition of one of them must not be carried, or
// the program would define it twice.
#pragma once

#include "model/analysis_model.h"
#include "text/upper_name_set.h"

namespace quillon {

class OwnNames {
 public:
  // After the object collection (and the top-level fonts and images).
  explicit OwnNames(const AnalysisModel& model);

  // `name` without "#", compared without case: a collected window or object
  // name, an object of some window (W + "_" + name is collected), a font or
  // image number of the run, or PureBasic's own (PB_...).
  bool Contains(TextView name) const;

 private:
  UpperNameSet names_;
};

}  // namespace quillon
