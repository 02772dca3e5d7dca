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
  // recorded, which keeps the index small. The index refers to the
  // characters of the names, which must outlive it unchanged.
  SignatureIndex(TextView prefix, TextView suffix, const std::vector<TextView>& names);

  // Records every wanted name whose signature occurs in `line`.
  void AddLine(TextView line);
  void AddLines(const Lines& lines);
  bool Contains(TextView name) const;
  // The same for names[position], without looking the name up.
  bool ContainsNameAt(size_t position) const { return found_[number_of_name_[position]]; }
  // How many distinct names have no signature yet.
  size_t MissingCount() const { return found_.size() - found_count_; }

 private:
  // Place in found_ of a name read from a line, or ViewIndex::kNone.
  uint32_t NumberOf(TextView name);

  Text prefix_;
  Text suffix_;
  std::vector<TextView> names_;
  size_t next_in_order_ = 0;              // the name expected next when lines come in name order
  ViewIndex wanted_;                      // each distinct name to its place in found_
  std::vector<uint32_t> number_of_name_;  // per position in `names`: its place in found_
  std::vector<uint32_t> first_position_;  // per place in found_: the first position in `names`
  std::vector<bool> found_;
  size_t found_count_ = 0;
  std::vector<size_t> lengths_;  // distinct lengths of the wanted names, ascending
};

}  // namespace quillon
