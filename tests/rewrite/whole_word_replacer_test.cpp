// The linear replacement and the indexed list of replacements against the
// straightforward rule (replace in place, then search again after the
// inserted text), on random lines: the renaming passes must give the same
// text as before, only faster.
#include <gtest/gtest.h>

#include <random>

#include "rewrite/prefix_rule.h"
#include "rewrite/whole_word.h"
#include "rewrite/whole_word_replacer.h"

namespace quillon {
namespace {

// The rule as written: each replacement made in the line itself.
Text ReferenceWholeWord(TextView line, TextView find, TextView replacement) {
  Text result(line);
  if (find.empty()) return result;
  Text upper = Upper(result);
  const Text upper_find = Upper(find);
  const size_t n = upper_find.size();
  size_t from = 0;
  for (;;) {
    const size_t at = upper.find(upper_find, from);
    if (at == Text::npos) return result;
    const bool left = at == 0 || !IsUpperWordChar(upper[at - 1]);
    const bool right = at + n >= upper.size() || !IsUpperWordChar(upper[at + n]);
    if (left && right) {
      result.replace(at, n, replacement);
      upper.replace(at, n, Upper(replacement));
      from = at + std::max<size_t>(1, replacement.size());
    } else {
      from = at + 1;
    }
  }
}

Text RandomText(std::mt19937& random, size_t max_length) {
  // Few characters, so that finds occur often; dotless i upper-cases to I.
  static const Text kAlphabet = "#aA_b( )\u0131.";
  std::uniform_int_distribution<size_t> length(0, max_length);
  std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
  Text text;
  for (size_t i = length(random); i > 0; --i) text.push_back(kAlphabet[pick(random)]);
  return text;
}

TEST(WholeWordReplacer, GivesTheTextOfTheRuleAppliedEntryByEntry) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 3000; ++round) {
    WholeWordReplacer replacer;
    std::vector<std::pair<Text, Text>> entries;
    const int count = 1 + round % 6;
    for (int i = 0; i < count; ++i) {
      // Chains ("#a" -> "#b", then "#b" -> ...) and empty replacements included.
      entries.emplace_back(RandomText(random, 4), RandomText(random, 4));
      replacer.Add(entries.back().first, entries.back().second);
    }
    const Text line = RandomText(random, 24);
    Text expected = line;
    long expected_changes = 0;
    for (const auto& [find, replacement] : entries) {
      Text next = ReferenceWholeWord(expected, find, replacement);
      if (next != expected) ++expected_changes;
      expected = std::move(next);
    }
    EXPECT_EQ(ReplaceWholeWord(line, entries[0].first, entries[0].second),
              ReferenceWholeWord(line, entries[0].first, entries[0].second));
    Text actual = line;
    EXPECT_EQ(replacer.Apply(actual), expected_changes);
    ASSERT_EQ(actual, expected) << "round " << round;
  }
}

TEST(PrefixRule, ReplacesLikeThePlainRuleExceptInNamesOfExtendingWindows) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    const Text find = RandomText(random, 3) + "_";
    const Text replacement = RandomText(random, 3);
    Text line = RandomText(random, 20);
    const Text expected = ReplaceNoCase(line, find, replacement);
    EXPECT_EQ(ApplyPrefixRule(PrefixRule{find, replacement, 0, nullptr}, line), expected != line);
    ASSERT_EQ(line, expected);
  }
  const WindowPrefixGuard guard({T("Start"), T("Main_Settings")}, {T("Main"), T("main_settings"), T("Main_Set")});
  const Lines extending = guard.ExtendingWindows("MAIN");
  ASSERT_EQ(extending, (Lines{T("MAIN_SETTINGS"), T("MAIN_SET")}));
  Text line = T("a(#Main_Settings_Ok, #main_settings) + #Main_SettingsX + #Main_Set + EventSize_Main_Settings()");
  ApplyPrefixRule(PrefixRule{T("#Main_"), T("#Start_"), 1, &extending}, line);
  ApplyPrefixRule(PrefixRule{T("EventSize_Main_"), T("EventSize_Start_"), 10, &extending}, line);
  EXPECT_EQ(line, T("a(#Main_Settings_Ok, #main_settings) + #Start_SettingsX + #Main_Set + EventSize_Main_Settings()"));
  EXPECT_TRUE(WindowPrefixGuard::NameBelongsToOneOf("Main_Set_Ok", extending));
  EXPECT_FALSE(WindowPrefixGuard::NameBelongsToOneOf("Main_SetOk", extending));
}

}  // namespace
}  // namespace quillon
