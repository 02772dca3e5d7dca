// One pass over a line's "(" must find exactly the keywords a substring
// search per keyword finds: on every corpus line and on lines put together
// from pieces of the keywords, with "(" at every place a keyword can hold it.
#include "text/call_keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/corpus.h"

namespace quillon {
namespace {

TEST(CallKeywords, FindWhatASearchPerKeywordFinds) {
  const std::vector<TextView> keywords = {"OPENWINDOW(#", "MDIGADGET(", "(#", "A(B", "TOOLBARHEIGHT(", "X("};
  const CallKeywords calls({"OPENWINDOW(#", "MDIGADGET(", "(#", "A(B", "TOOLBARHEIGHT(", "X("});
  std::vector<std::string> lines;
  const char* const pieces[] = {"(", "#", "OPENWINDOW", "MDI", "GADGET(", "A", "B", "X", " ", "TOOLBAR", "HEIGHT("};
  unsigned seed = 7;
  for (int round = 0; round < 4000; ++round) {
    std::string line;
    for (int k = static_cast<int>(seed % 9); k > 0; --k) {
      seed = seed * 1103515245u + 12345u;
      line += pieces[(seed >> 16) % (sizeof pieces / sizeof pieces[0])];
    }
    seed = seed * 1103515245u + 12345u;
    lines.push_back(line);
  }
  // Without the corpus the lines above remain.
  const size_t made = lines.size();
  ASSERT_TRUE(testing::AppendCorpusLines(&lines));
  for (size_t i = made; i < lines.size(); ++i) lines[i] = Upper(lines[i]);
  size_t hits = 0;
  for (const std::string& line : lines) {
    const uint32_t found = calls.In(line);
    for (unsigned i = 0; i < keywords.size(); ++i) {
      ASSERT_EQ(Holds(found, i), ContainsUpper(line, keywords[i])) << line << " / " << keywords[i];
      hits += Holds(found, i);
    }
  }
  EXPECT_GT(hits, 1000u);
  EXPECT_EQ(calls.In(TextView()), 0u);
}

}  // namespace
}  // namespace quillon
