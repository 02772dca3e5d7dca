#include "rewrite/whole_word_replacer.h"

#include <algorithm>

#include "rewrite/whole_word.h"

namespace quillon {

namespace {

// The single run of word characters of an upper-cased find, or an empty
// view when it has none or more than one.
TextView SingleWord(TextView upper_find) {
  size_t start = 0;
  while (start < upper_find.size() && !IsUpperWordChar(upper_find[start])) ++start;
  size_t end = start;
  while (end < upper_find.size() && IsUpperWordChar(upper_find[end])) ++end;
  for (size_t i = end; i < upper_find.size(); ++i) {
    if (IsUpperWordChar(upper_find[i])) return TextView();
  }
  return upper_find.substr(start, end - start);
}

}  // namespace

void WholeWordReplacer::Add(TextView find, TextView replacement) {
  const auto number = static_cast<uint32_t>(entries_.size());
  entries_.push_back({Upper(find), Text(replacement)});
  const TextView word = SingleWord(entries_.back().upper_find);
  if (word.empty()) {
    unindexed_.push_back(number);
    return;
  }
  uint32_t id = word_index_.Find(word);
  if (id == ViewIndex::kNone) {
    words_.emplace_back(word);
    id = word_index_.Insert(words_.back());
    entries_of_word_.emplace_back();
  }
  entries_of_word_[id].push_back(number);
}

void WholeWordReplacer::Candidates(TextView upper_line, uint32_t first, std::vector<uint32_t>* out) const {
  out->clear();
  auto add_from = [first, out](const std::vector<uint32_t>& numbers) {
    for (auto it = std::lower_bound(numbers.begin(), numbers.end(), first); it != numbers.end(); ++it) {
      out->push_back(*it);
    }
  };
  if (!entries_of_word_.empty()) {
    // A word that stands many times in the line adds its entries once.
    std::vector<bool> seen(entries_of_word_.size(), false);
    size_t i = 0;
    while (i < upper_line.size()) {
      if (!IsUpperWordChar(upper_line[i])) {
        ++i;
        continue;
      }
      const size_t start = i;
      while (i < upper_line.size() && IsUpperWordChar(upper_line[i])) ++i;
      const uint32_t id = word_index_.Find(upper_line.substr(start, i - start));
      if (id != ViewIndex::kNone && !seen[id]) {
        seen[id] = true;
        add_from(entries_of_word_[id]);
      }
    }
  }
  add_from(unindexed_);
  std::sort(out->begin(), out->end());
  out->erase(std::unique(out->begin(), out->end()), out->end());
}

long WholeWordReplacer::Apply(Text& line) const {
  if (entries_.empty()) return 0;
  long changes = 0;
  Text upper;
  Text replaced;
  std::vector<uint32_t> candidates;
  UpperInto(line, &upper);
  Candidates(upper, 0, &candidates);
  size_t i = 0;
  while (i < candidates.size()) {
    const uint32_t number = candidates[i++];
    const Entry& entry = entries_[number];
    if (!ReplaceWholeWordUpper(line, upper, entry.upper_find, entry.replacement, &replaced)) continue;
    if (replaced == line) continue;
    line.swap(replaced);
    ++changes;
    if (number + 1 == entries_.size()) break;
    // The changed line may now hold words of later entries.
    UpperInto(line, &upper);
    Candidates(upper, number + 1, &candidates);
    i = 0;
  }
  return changes;
}

}  // namespace quillon
