// Step 1 on real-world form sources: one project per file.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "analysis/step1.h"
#include "analysis/step1_test_support.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

const std::string kCorpus = std::string(QUILLON_SOURCE_DIR) + "/../shared/corpus";
const char kPbAnyLine[] = " -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!";

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

// saved name -> notes column of the manifest.
std::map<std::string, std::string> ReadManifest() {
  std::map<std::string, std::string> notes;
  std::ifstream in(kCorpus + "/MANIFEST.tsv");
  std::string line;
  if (!std::getline(in, line)) return notes;
  const std::vector<std::string> header = SplitTabs(line);
  const auto column = [&header](const std::string& name) {
    return static_cast<size_t>(std::find(header.begin(), header.end(), name) - header.begin());
  };
  const size_t name_col = column("saved_name");
  const size_t notes_col = column("notes");
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() > std::max(name_col, notes_col)) notes[fields[name_col]] = fields[notes_col];
  }
  return notes;
}

bool OpensWindowsOnlyWithPbAny(const std::string& notes) {
  return notes.find("OpenWindow(#PB_Any)") != std::string::npos &&
         notes.find("OpenWindow(#const)") == std::string::npos;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Step1CorpusTest, EveryFormFileRunsAndPbAnyWindowsStop) {
  const std::map<std::string, std::string> manifest = ReadManifest();
  if (!IsDirectory(kCorpus + "/forms") || manifest.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  std::vector<std::string> names;
  ASSERT_TRUE(ListDirectory(kCorpus + "/forms", &names));
  int pb_any_only = 0;
  int pb_any_stops = 0;
  int completed = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Step1Project p;
    Switches& s = p.ws->project.switches;
    s.parend = s.pb_ignore = s.multilang = s.image_null = 1;
    p.host.file_list = {FromUtf8(kCorpus + "/forms/" + name)};
    const bool ok = RunStep1(*p.ws, p.host);
    ASSERT_FALSE(p.host.log.empty());
    const auto entry = manifest.find(name);
    ASSERT_NE(entry, manifest.end()) << "not in the manifest";
    if (ok) {
      ++completed;
      EXPECT_GE(p.ws->analysis.constants_code.size(), 8u * 5u);
      for (const Text& window : p.ws->analysis.windows) EXPECT_NE(Upper(window), U"PB_ANY");
    } else {
      EXPECT_TRUE(EndsWith(p.host.log.back(), "Stop!")) << p.host.log.back();
    }
    if (OpensWindowsOnlyWithPbAny(entry->second)) {
      ++pb_any_only;
      if (ok) {
        // Its windows are opened by top-level code, which is no form code:
        // nothing of them reaches the analysis.
        EXPECT_TRUE(p.ws->analysis.windows.empty());
      } else {
        ++pb_any_stops;
        EXPECT_EQ(p.host.log.back(), kPbAnyLine);
      }
    }
  }
  EXPECT_EQ(pb_any_only, 36);
  // Six of them open their windows outside any procedure.
  EXPECT_GE(pb_any_stops, 30);
  EXPECT_GT(completed, 0);
}

}  // namespace
}  // namespace quillon::testing
