// Answers "does some line contain prefix + name + suffix?" for many names at
// once, without searching every line for every name.
#pragma once

#include <set>
#include <unordered_set>

#include "text/text.h"

namespace quillon {

class SignatureIndex {
 public:
  // `names` are the names that will be asked about; other names are never
  // recorded, which keeps the index small.
  SignatureIndex(TextView prefix, TextView suffix, const Lines& names);

  // Records every wanted name whose signature occurs in `line`.
  void AddLine(TextView line);
  void AddLines(const Lines& lines);
  bool Contains(const Text& name) const { return found_.count(name) != 0; }

 private:
  Text prefix_;
  Text suffix_;
  std::unordered_set<Text> wanted_;
  std::set<size_t> lengths_;  // distinct lengths of the wanted names
  std::unordered_set<Text> found_;
};

}  // namespace quillon
