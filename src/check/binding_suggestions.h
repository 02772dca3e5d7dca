// Which new name a renamed old name most likely became: the rule behind the
// window's suggested selection, its Bind Suggested button and the command
// line's --bind-suggested. Suggestions are never applied unasked.
#pragma once

#include <vector>

#include "model/check_lists.h"

namespace quillon {

// Names in both `saved` (the previous run's list of a kind) and `current`
// (this run's list) are anchors. Each unbound old name belongs to the nearest
// anchor before it in `saved`, each unbound new name to the nearest anchor
// before it in `current` (or to the start of the list). Where an anchor's
// group holds as many old as new names they pair in order; if then exactly
// one old and one new name are left, they pair too. The pairs come in the
// order of the old names in `saved`. With `windows` (this run's windows;
// for every kind but Window) a pair is kept only when both names belong to
// the same window: a gadget's code never moves to another window's gadget.
std::vector<SuggestedBinding> SuggestBindings(const Lines& saved, const Lines& current, const Lines& unbound_old,
                                              const Lines& unbound_new, const Lines& windows = {});

// The suggested new name of `old_name`, or nullptr.
const Text* SuggestionFor(const std::vector<SuggestedBinding>& suggestions, const Text& old_name);

}  // namespace quillon
