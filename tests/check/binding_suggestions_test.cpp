// The suggestion rule on small lists: which renamed old name goes with which
// new one, and when the rule rather suggests nothing.
#include "check/binding_suggestions.h"

#include <gtest/gtest.h>

#include "check/constant_check.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;

// The suggestions of a rename from `saved` to `current`, as "old>new".
std::vector<std::string> Suggest(const Lines& saved, const Lines& current) {
  std::vector<std::string> pairs;
  for (const SuggestedBinding& s :
       SuggestBindings(saved, current, UnboundNames(saved, current), UnboundNames(current, saved))) {
    pairs.push_back(ToUtf8(s.old_name) + ">" + ToUtf8(s.new_name));
  }
  return pairs;
}

using Pairs = std::vector<std::string>;

TEST(SuggestBindings, OneRenameAnywhereInTheList) {
  EXPECT_EQ(Suggest(L({"A", "B", "C"}), L({"A", "X", "C"})), Pairs({"B>X"}));
  EXPECT_EQ(Suggest(L({"B", "A"}), L({"X", "A"})), Pairs({"B>X"}));  // before the first anchor
  EXPECT_EQ(Suggest(L({"B"}), L({"X"})), Pairs({"B>X"}));            // no anchor at all
  // A gadget added beside the rename: the group no longer matches, but one
  // name on each side is left over only when nothing else is.
  EXPECT_EQ(Suggest(L({"A", "B", "C"}), L({"A", "X", "Y", "C"})), Pairs());
}

TEST(SuggestBindings, TwoRenamesInOneGapPairInOrder) {
  EXPECT_EQ(Suggest(L({"A", "B1", "B2", "C"}), L({"A", "X1", "X2", "C"})), Pairs({"B1>X1", "B2>X2"}));
}

TEST(SuggestBindings, RenamesInDifferentGapsStayInTheirGaps) {
  EXPECT_EQ(Suggest(L({"P", "A", "Q", "B", "R", "C"}), L({"X", "A", "Y", "B", "Z", "C"})),
            Pairs({"P>X", "Q>Y", "R>Z"}));
  // Pairs come in old-list order even when the new list lists them otherwise.
  EXPECT_EQ(Suggest(L({"A", "P", "B", "Q"}), L({"B", "Y", "A", "X"})), Pairs({"P>X", "Q>Y"}));
}

TEST(SuggestBindings, AMovedAnchorTakesItsGroupAlong) {
  // B moved to the end; the name after it in each list still belongs to it.
  EXPECT_EQ(Suggest(L({"A", "B", "Old", "C"}), L({"A", "C", "B", "New"})), Pairs({"Old>New"}));
}

TEST(SuggestBindings, NothingToSuggest) {
  EXPECT_EQ(Suggest(L({"A", "B"}), L({"A", "B"})), Pairs());
  EXPECT_EQ(Suggest(L({"A", "Gone"}), L({"A"})), Pairs());   // removed, not renamed
  EXPECT_EQ(Suggest(L({"A"}), L({"A", "Added"})), Pairs());  // added
  // Two gaps that do not match, two names left on each side: no guess.
  EXPECT_EQ(Suggest(L({"P1", "P2", "A", "Q"}), L({"X", "A", "Y1", "Y2"})), Pairs());
}

TEST(SuggestBindings, TheLastOldAndNewNameLeftPairAfterTheGroups) {
  // P>X by its group; Q and Z are left alone in different groups.
  EXPECT_EQ(Suggest(L({"P", "A", "Q", "B"}), L({"X", "A", "B", "Z"})), Pairs({"P>X", "Q>Z"}));
}

}  // namespace
}  // namespace quillon
