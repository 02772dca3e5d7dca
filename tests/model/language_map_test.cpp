#include "model/language_map.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

std::vector<std::string> Keys(const LanguageMap& map) {
  std::vector<std::string> keys;
  map.ForEach([&keys](const Text& key, const Text&) { keys.push_back(ToUtf8(key)); });
  return keys;
}

TEST(LanguageMapOrder, HashOverUtf16Units) {
  // "ab": 97 * 65599 + 98 = 6363201 -> bucket 6363201 % 512 = 65.
  EXPECT_EQ(LanguageMap::Hash("ab"), 6363201u);
  EXPECT_EQ(LanguageMap::Hash("ab") % 512, 65u);
  // A character above U+FFFF counts as its surrogate pair D83D DE00.
  EXPECT_EQ(LanguageMap::Hash("\U0001F600"), 0xD83Du * 65599u + 0xDE00u);
  // Wraps in unsigned 32 bits.
  uint32_t h = 0;
  for (char32_t c : Text("Open the file now")) h = h * 65599u + static_cast<uint32_t>(c);
  EXPECT_EQ(LanguageMap::Hash("Open the file now"), h);
}

TEST(LanguageMapOrder, BucketsInOrderNewestFirstWithinABucket) {
  LanguageMap map;
  // "A" = 65 -> bucket 65; "ab" -> bucket 65 too; "B" = 66 -> bucket 66; "\x01" -> bucket 1.
  map.Set("A", "A");
  map.Set("B", "B");
  map.Set("ab", "ab");
  map.Set("\x01", "x");
  EXPECT_EQ(Keys(map), (std::vector<std::string>{"\x01", "ab", "A", "B"}));
  // Replacing a value keeps the key's place.
  map.Set("A", "Ä");
  EXPECT_EQ(Keys(map), (std::vector<std::string>{"\x01", "ab", "A", "B"}));
  EXPECT_EQ(*map.Find("A"), "Ä");
  EXPECT_EQ(map.Size(), 4u);
  EXPECT_EQ(map.Find("a"), nullptr);  // keys are case-sensitive
  map.Clear();
  EXPECT_TRUE(Keys(map).empty());
}

// The lookup refers to the keys the map holds; a copy, an assignment and a
// move must each look up in their own keys once the source is gone.
TEST(LanguageMapCopies, LookUpInTheirOwnKeysAfterTheSourceIsGone) {
  auto filled = [] {
    LanguageMap map;
    // Short keys live inside the string object itself, so they are the ones
    // a stale lookup would lose.
    for (const char* key : {"A", "ab", "B", "a longer text than fits inline"}) map.Set(key, key);
    return map;
  };
  const std::vector<std::string> order = Keys(filled());
  LanguageMap copy;
  LanguageMap assigned;
  assigned.Set("old", "old");
  {
    const LanguageMap source = filled();
    copy = LanguageMap(source);
    assigned = source;
  }
  LanguageMap moved = filled();
  LanguageMap moved_to(std::move(moved));
  for (LanguageMap* map : {&copy, &assigned, &moved_to}) {
    EXPECT_EQ(Keys(*map), order);
    EXPECT_TRUE(map->Contains("ab"));
    EXPECT_FALSE(map->Contains("old"));
    map->Set("ab", "x");  // replaces in place: no second "ab"
    EXPECT_EQ(map->Size(), 4u);
    EXPECT_EQ(*map->Find("ab"), "x");
  }
}

}  // namespace
}  // namespace quillon
