// Answers "does some line contain prefix + name + suffix?" for many names at
// once, without searching every line for every name.
#pragma once

#include <vector>

#include "text/text.h"

namespace quillon {

class SignatureIndex {
 public:
  // `names` are the names that will be asked about; other names are never
  // recorded, which keeps the index small. The index refers to `names`,
  // which must outlive it.
  SignatureIndex(TextView prefix, TextView suffix, const Lines& names);

  // Records every wanted name whose signature occurs in `line`.
  void AddLine(TextView line);
  void AddLines(const Lines& lines);
  bool Contains(TextView name) const;

 private:
  // Index of `name` in wanted_, or wanted_.size() when it is not wanted.
  size_t WantedIndex(TextView name) const;

  Text prefix_;
  Text suffix_;
  std::vector<TextView> wanted_;  // sorted, no repeats
  std::vector<bool> found_;       // parallel to wanted_
  std::vector<size_t> lengths_;   // distinct lengths of the wanted names, ascending
};

}  // namespace quillon
