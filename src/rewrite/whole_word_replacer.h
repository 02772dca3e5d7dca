// A list of whole-word replacements applied to lines in list order, as
// ReplaceWholeWord applied for each entry in turn to every line would do, but
// without visiting every entry for every line: an entry is tried on a line
// only when the line holds the entry's word.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "text/text.h"
#include "text/view_index.h"

namespace quillon {

class WholeWordReplacer {
 public:
  void Add(TextView find, TextView replacement);
  bool Empty() const { return entries_.empty(); }

  // Applies every entry in order to `line`; returns how many entries
  // changed it.
  long Apply(Text& line) const;

 private:
  struct Entry {
    Text upper_find;
    Text replacement;
  };
  // Entries that `upper_line` may match and that come at or after `first`,
  // in list order.
  void Candidates(TextView upper_line, uint32_t first, std::vector<uint32_t>* out) const;

  std::vector<Entry> entries_;
  // A find made of one run of word characters, with other characters only
  // before or after it, can only match where that run stands alone in the
  // line: entries are indexed by it. Others are tried on every line.
  std::deque<Text> words_;  // stable storage for the index's keys
  ViewIndex word_index_;
  std::vector<std::vector<uint32_t>> entries_of_word_;
  std::vector<uint32_t> unindexed_;
};

}  // namespace quillon
