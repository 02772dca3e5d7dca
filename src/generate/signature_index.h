// Answers "does some line contain prefix + name + suffix?" for many names at
// once, without searching every line for every name.
#pragma once

#include <vector>

#include "text/text.h"
#include "text/view_index.h"

namespace quillon {

class SignatureIndex {
 public:
  // `names` are the names that will be asked about; other names are never
  // recorded, which keeps the index small. The index refers to `names`,
  // which must outlive it unchanged.
  SignatureIndex(TextView prefix, TextView suffix, const Lines& names);

  // Records every wanted name whose signature occurs in `line`.
  void AddLine(TextView line);
  void AddLines(const Lines& lines);
  bool Contains(TextView name) const;

 private:
  Text prefix_;
  Text suffix_;
  ViewIndex wanted_;            // each distinct name to its place in found_
  std::vector<bool> found_;
  std::vector<size_t> lengths_;  // distinct lengths of the wanted names, ascending
};

}  // namespace quillon
