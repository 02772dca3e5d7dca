// The filter with which core_tests leaves out the unprivileged tests as root:
// a negative part the caller gave must stay negative and keep its patterns.
#include "support/test_filter.h"

#include <gtest/gtest.h>

namespace quillon::testing {
namespace {

TEST(TestFilter, ExcludedTestsJoinTheNegativePartOfAnyFilter) {
  const std::string excluded = "Perm.*:Files.ReadOnly";
  // No filter, or only a positive part: the exclusions start the negative part.
  EXPECT_EQ(WithoutTests("*", excluded), "*-Perm.*:Files.ReadOnly");
  EXPECT_EQ(WithoutTests("", excluded), "*-Perm.*:Files.ReadOnly");
  EXPECT_EQ(WithoutTests("Files.*:Run.*", excluded), "Files.*:Run.*-Perm.*:Files.ReadOnly");
  // A second '-' would turn the exclusions into part of a single pattern: they join with ':'.
  EXPECT_EQ(WithoutTests("Files.*-Files.Slow", excluded), "Files.*-Files.Slow:Perm.*:Files.ReadOnly");
  EXPECT_EQ(WithoutTests("-Files.Slow", excluded), "-Files.Slow:Perm.*:Files.ReadOnly");
  EXPECT_EQ(WithoutTests("Files.*", ""), "Files.*");
}

}  // namespace
}  // namespace quillon::testing
