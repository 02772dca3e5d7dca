#include "cli/preview.h"

#include <gtest/gtest.h>

namespace quillon::cli {
namespace {

TEST(PreviewDiff, CreatedFileIsOneHunkFromLineZero) {
  EXPECT_EQ(UnifiedDiff("", "a\nb\n", "Main.pb", false), "--- /dev/null\n+++ b/Main.pb\n@@ -0,0 +1,2 @@\n+a\n+b\n");
  EXPECT_EQ(UnifiedDiff("same\n", "same\n", "x", true), "");
}

TEST(PreviewDiff, ChangedLineWithThreeLinesOfContext) {
  const std::string before = "1\n2\n3\n4\n5\n6\n7\n8\n9\n";
  const std::string after = "1\n2\n3\n4\nfive\n6\n7\n8\n9\n";
  EXPECT_EQ(UnifiedDiff(before, after, "CommonFile.pb", true),
            "--- a/CommonFile.pb\n+++ b/CommonFile.pb\n@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n");
}

TEST(PreviewDiff, NearChangesShareAHunkAndFarOnesDoNot) {
  std::string before, near, far;
  for (int i = 1; i <= 30; ++i) {
    const std::string n = std::to_string(i);
    before += n + "\n";
    near += (i == 5 || i == 11 ? "x" + n : n) + "\n";
    far += (i == 5 || i == 13 ? "x" + n : n) + "\n";
  }
  const std::string joined = UnifiedDiff(before, near, "f", true);
  EXPECT_NE(joined.find("@@ -2,13 +2,13 @@\n"), std::string::npos) << joined;
  const std::string split = UnifiedDiff(before, far, "f", true);
  EXPECT_NE(split.find("@@ -2,7 +2,7 @@\n"), std::string::npos) << split;
  EXPECT_NE(split.find("@@ -10,7 +10,7 @@\n"), std::string::npos) << split;
}

// Three lines of context after one change and three before the next meet
// exactly when six common lines lie between them: still one hunk.
TEST(PreviewDiff, ChangesSixCommonLinesApartShareOneHunk) {
  std::string before, after;
  for (int i = 1; i <= 30; ++i) {
    const std::string n = std::to_string(i);
    before += n + "\n";
    after += (i == 5 || i == 12 ? "x" + n : n) + "\n";
  }
  const std::string diff = UnifiedDiff(before, after, "f", true);
  EXPECT_EQ(diff.substr(diff.find("@@")),
            "@@ -2,14 +2,14 @@\n 2\n 3\n 4\n-5\n+x5\n 6\n 7\n 8\n 9\n 10\n 11\n-12\n+x12\n 13\n 14\n 15\n");
}

TEST(PreviewDiff, DeletionsAndInsertionsAtTheEnds) {
  EXPECT_EQ(UnifiedDiff("a\nb\n", "b\n", "f", true), "--- a/f\n+++ b/f\n@@ -1,2 +1,1 @@\n-a\n b\n");
  EXPECT_EQ(UnifiedDiff("a\n", "a\nb\n", "f", true), "--- a/f\n+++ b/f\n@@ -1,1 +1,2 @@\n a\n+b\n");
  EXPECT_EQ(UnifiedDiff("a\n", "", "f", true), "--- a/f\n+++ b/f\n@@ -1,1 +0,0 @@\n-a\n");
}

TEST(PreviewDiff, NamesRelativeToTheProjectFolderOnlyInsideIt) {
  EXPECT_EQ(DisplayName("/p/q/Main.pb", "/p/q/"), "Main.pb");
  EXPECT_EQ(DisplayName("/p/q/sub/x.pbi", "/p/q/"), "sub/x.pbi");
  EXPECT_EQ(DisplayName("/p/qq/x.pbi", "/p/q/"), "/p/qq/x.pbi");
  EXPECT_EQ(DisplayName("/other/x.pbi", "/p/q/"), "/other/x.pbi");
}

}  // namespace
}  // namespace quillon::cli
