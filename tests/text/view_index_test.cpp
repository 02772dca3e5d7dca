#include "text/view_index.h"

#include <gtest/gtest.h>

#include <unordered_map>

namespace quillon {
namespace {

// Against a plain map: many keys (so the table grows several times), keys
// that differ only late or by length, the empty key, repeated inserts that
// must keep the first number.
TEST(ViewIndexTest, NumbersKeysInOrderOfFirstInsertWhileGrowing) {
  Lines keys;
  for (int i = 0; i < 5000; ++i) keys.push_back("Window_" + ToText(i % 97) + "_Gadget_" + ToText(i));
  keys.push_back(Text());
  keys.push_back("Window_1_Gadget_1");  // a repeat
  keys.push_back("Window_1_Gadget_");   // a prefix of many keys
  ViewIndex index;
  std::unordered_map<Text, uint32_t> expected;
  for (const Text& key : keys) {
    const auto next = static_cast<uint32_t>(expected.size());
    const auto [it, added] = expected.emplace(key, next);
    ASSERT_EQ(index.Insert(key), it->second) << ToUtf8(key);
    EXPECT_EQ(added, it->second == next);
  }
  EXPECT_EQ(index.Size(), expected.size());
  for (const auto& [key, number] : expected) EXPECT_EQ(index.Find(key), number) << ToUtf8(key);
  for (const Text& missing : {Text("Window_1_Gadget_5000"), Text("window_1_gadget_1"), Text("W")}) {
    EXPECT_EQ(index.Find(missing), ViewIndex::kNone) << ToUtf8(missing);
  }
  index.Clear();
  EXPECT_EQ(index.Find(keys[0]), ViewIndex::kNone);
  EXPECT_EQ(index.Insert(keys[1]), 0u);
}

}  // namespace
}  // namespace quillon
