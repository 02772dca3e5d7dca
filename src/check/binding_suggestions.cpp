#include "check/binding_suggestions.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace quillon {

namespace {

// Unbound names of one list, grouped by the anchor before them. The start of
// the list is the group of the empty name (no constant is empty).
using Groups = std::unordered_map<Text, std::vector<size_t>>;

struct GroupedList {
  Groups groups;
  std::vector<size_t> unbound;  // positions of the unbound names, in list order
};

GroupedList GroupByAnchor(const Lines& list, const std::unordered_set<Text>& anchors,
                          const std::unordered_set<Text>& unbound) {
  GroupedList result;
  Text anchor;
  for (size_t i = 0; i < list.size(); ++i) {
    if (anchors.count(list[i])) {
      anchor = list[i];
    } else if (unbound.count(list[i])) {
      result.groups[anchor].push_back(i);
      result.unbound.push_back(i);
    }
  }
  return result;
}

// The window a name belongs to: the longest window whose name and "_" begin
// it; empty for none.
TextView WindowOf(const Text& name, const Lines& windows) {
  TextView owner;
  for (const Text& window : windows) {
    if (window.size() + 1 > name.size() || window.size() <= owner.size()) continue;
    if (name.compare(0, window.size(), window) == 0 && name[window.size()] == '_') owner = window;
  }
  return owner;
}

}  // namespace

std::vector<SuggestedBinding> SuggestBindings(const Lines& saved, const Lines& current, const Lines& unbound_old,
                                              const Lines& unbound_new, const Lines& windows) {
  if (unbound_old.empty() || unbound_new.empty()) return {};
  const std::unordered_set<Text> current_names(current.begin(), current.end());
  std::unordered_set<Text> anchors;
  for (const Text& name : saved) {
    if (current_names.count(name)) anchors.insert(name);
  }
  const GroupedList old_side =
      GroupByAnchor(saved, anchors, std::unordered_set<Text>(unbound_old.begin(), unbound_old.end()));
  const GroupedList new_side =
      GroupByAnchor(current, anchors, std::unordered_set<Text>(unbound_new.begin(), unbound_new.end()));

  // Position in `saved` -> position in `current`.
  std::vector<std::pair<size_t, size_t>> pairs;
  std::unordered_set<size_t> paired_old;
  std::unordered_set<size_t> paired_new;
  for (const auto& [anchor, old_positions] : old_side.groups) {
    const auto found = new_side.groups.find(anchor);
    if (found == new_side.groups.end() || found->second.size() != old_positions.size()) continue;
    for (size_t k = 0; k < old_positions.size(); ++k) {
      pairs.emplace_back(old_positions[k], found->second[k]);
      paired_old.insert(old_positions[k]);
      paired_new.insert(found->second[k]);
    }
  }
  std::vector<size_t> old_left;
  std::vector<size_t> new_left;
  for (size_t i : old_side.unbound) {
    if (!paired_old.count(i)) old_left.push_back(i);
  }
  for (size_t i : new_side.unbound) {
    if (!paired_new.count(i)) new_left.push_back(i);
  }
  if (old_left.size() == 1 && new_left.size() == 1) pairs.emplace_back(old_left[0], new_left[0]);

  std::sort(pairs.begin(), pairs.end());
  std::vector<SuggestedBinding> suggestions;
  suggestions.reserve(pairs.size());
  for (const auto& [old_index, new_index] : pairs) {
    if (WindowOf(saved[old_index], windows) != WindowOf(current[new_index], windows)) continue;
    suggestions.push_back({saved[old_index], current[new_index]});
  }
  return suggestions;
}

const Text* SuggestionFor(const std::vector<SuggestedBinding>& suggestions, const Text& old_name) {
  for (const SuggestedBinding& s : suggestions) {
    if (s.old_name == old_name) return &s.new_name;
  }
  return nullptr;
}

}  // namespace quillon
