#include "text/upper_name_set.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace quillon {
namespace {

// Many names of every length, a few longer than a block of the set, against
// a plain set of their upper-cased copies: what went in is found in any case,
// what did not is not, and every name stays readable after later ones fill
// new blocks.
TEST(UpperNameSet, FindsWhatWentInWhateverTheCase) {
  std::mt19937 random(11);
  UpperNameSet set(4);  // too small on purpose: the index has to grow
  std::set<Text> plain;
  std::vector<Text> names;
  for (int i = 0; i < 20000; ++i) {
    const size_t length = i % 997 == 0 ? 70000 + random() % 1000 : random() % 24;
    Text name;
    for (size_t k = 0; k < length; ++k) name.push_back("abcXYZ_09\xC3\xA4"[random() % 11]);
    names.push_back(name);
    EXPECT_EQ(set.Insert(name), plain.insert(Upper(name)).second) << i;
  }
  EXPECT_EQ(set.Size(), plain.size());
  for (const Text& name : names) {
    Text lower = name;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    ASSERT_TRUE(set.Contains(lower)) << name.substr(0, 40);
    ASSERT_TRUE(set.ContainsUpper(Upper(name)));
  }
  EXPECT_FALSE(set.Contains("not in it"));
  EXPECT_FALSE(set.InsertUpper(Upper(names[5])));
}

}  // namespace
}  // namespace quillon
