// Step 1 on real-world form sources: one project per file, every switch on.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/code_words.h"
#include "analysis/step1.h"
#include "analysis/step1_test_support.h"
#include "io/file_io.h"
#include "support/corpus.h"

namespace quillon::testing {
namespace {

const std::string kForms = CorpusFormsFolder();
const char kPbAnyLine[] = " -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Step1CorpusTest, EveryDesignerFormRunsAndOnlyOtherWindowShapesStop) {
  const std::vector<std::string> names = CorpusFormNames();
  if (names.empty()) GTEST_SKIP() << "no corpus at " << kForms;
  int completed = 0;
  int pb_any_stops = 0;
  std::vector<std::string> other_stops;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Step1Project p;
    Switches& s = p.ws->project.switches;
    s.parend = s.pb_ignore = s.multilang = s.image_null = 1;
    p.host.file_list = {FromUtf8(kForms + name)};
    const bool ok = RunStep1(*p.ws, p.host);
    ASSERT_FALSE(p.host.log.empty());
    if (EndsWith(name, ".pbf")) {
      EXPECT_TRUE(ok) << p.host.log.back();
    }
    if (ok) {
      ++completed;
      EXPECT_GE(p.ws->analysis.constants_code.size(), 8u * 5u);
      for (const Text& window : p.ws->analysis.windows) EXPECT_NE(Upper(window), "PB_ANY");
      continue;
    }
    EXPECT_TRUE(EndsWith(p.host.log.back(), "Stop!")) << p.host.log.back();
    if (p.host.log.back() != kPbAnyLine) {
      other_stops.push_back(name + ": " + p.host.log.back());
      continue;
    }
    ++pb_any_stops;
    // Only a window opened with #PB_Any in another shape than
    // "V = OpenWindow(#PB_Any, ...)" still stops the run.
    const bool other_shape =
        std::any_of(p.ws->analysis.form_code.begin(), p.ws->analysis.form_code.end(), [](const Text& line) {
          PbAnyAssignment converted;
          return ContainsNoCase(line, "OpenWindow(#PB_Any") && !MatchPbAnyAssignment(line, &converted);
        });
    EXPECT_TRUE(other_shape);
  }
  // One file creates a menu twice: that stop is the form's own fault.
  EXPECT_EQ(other_stops.size(), 1u) << ::testing::PrintToString(other_stops);
  EXPECT_EQ(completed + pb_any_stops + static_cast<int>(other_stops.size()), static_cast<int>(names.size()));
  // Three open their windows in other shapes (Global W = ..., A\W = ...).
  EXPECT_EQ(pb_any_stops, 3);
}

}  // namespace
}  // namespace quillon::testing
