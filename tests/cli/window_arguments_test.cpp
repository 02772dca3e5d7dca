// The window's command line: an option nobody knows is a usage error before
// any window opens; the toolkit's display options and one project pass.
#include <gtest/gtest.h>

#include "cli/cli_options.h"
#include "support/quillon_process.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

bool Accepts(std::vector<std::string> words, std::string* error) {
  words.insert(words.begin(), "quillon");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  return cli::CheckWindowArguments(static_cast<int>(argv.size()), argv.data(), error);
}

TEST(WindowArguments, UnknownOptionsAreUsageErrorsWithExitStatusTwo) {
  const TempDir dir;
  for (const char* option : {"-v", "--verbose", "-x"}) {
    const ProcessResult run = RunQuillon({option}, dir.path());
    EXPECT_EQ(run.exit_code, 2) << option;
    EXPECT_NE(run.err.find(std::string("unknown option '") + option + "'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Usage: quillon"), std::string::npos) << option;
    EXPECT_TRUE(run.out.empty()) << option;
  }
}

TEST(WindowArguments, DisplayOptionsAndOneProjectPassTwoProjectsDoNot) {
  std::string error;
  EXPECT_TRUE(Accepts({}, &error));
  EXPECT_TRUE(Accepts({"p.pbm"}, &error));
  EXPECT_TRUE(Accepts({"--display", ":1", "p.pbm"}, &error));
  EXPECT_TRUE(Accepts({"--display=:1", "--sync", "p.pbm"}, &error));
  EXPECT_FALSE(Accepts({"a.pbm", "b.pbm"}, &error));
  EXPECT_NE(error.find("b.pbm"), std::string::npos);
  EXPECT_FALSE(Accepts({"p.pbm", "--verbose"}, &error));
  EXPECT_EQ(error, "unknown option '--verbose'");
}

}  // namespace
}  // namespace quillon::testing
