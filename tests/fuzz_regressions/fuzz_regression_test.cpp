// Inputs on which a fuzz target once failed, replayed through the very entry
// function the fuzzer called (fuzz/fuzz_entries.h), plus the plain case each
// one stands for. Inputs live in tests/fuzz_regressions/inputs/<target>/.
#define QUILLON_FUZZ_COUNT_FAILURES 1
#include "../../fuzz/fuzz_entries.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

// The files of `dir`, in name order.
std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> paths;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* entry = ::readdir(d)) {
      if (entry->d_name[0] != '.') paths.push_back(dir + entry->d_name);
    }
    ::closedir(d);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string SavedInputs(const std::string& target) {
  return std::string(QUILLON_SOURCE_DIR) + "/tests/fuzz_regressions/inputs/" + target + "/";
}
std::string Seeds(const std::string& target) {
  return std::string(QUILLON_SOURCE_DIR) + "/fuzz/corpus/" + target + "/";
}

// Feeds every file of `dir` to `entry`; none may break an invariant.
template <typename Entry>
void ReplayAll(const std::string& dir, Entry entry) {
  const std::vector<std::string> inputs = FilesIn(dir);
  ASSERT_FALSE(inputs.empty()) << "no inputs in " << dir;
  for (const std::string& path : inputs) {
    const std::string bytes = ReadBytes(path);
    const int before = fuzz::BrokenInvariants();
    entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(fuzz::BrokenInvariants(), before) << "invariant broken by " << path;
  }
}

TEST(FuzzRegressionTest, EventFileInputsKeepTheUsersLines) {
  ReplayAll(SavedInputs("event_files"), [](const uint8_t* data, size_t size) { fuzz::FuzzEventFiles(data, size); });
}

TEST(FuzzRegressionTest, UserListInputsReadBackAfterSaving) {
  ReplayAll(SavedInputs("user_list"), [](const uint8_t* data, size_t size) { fuzz::FuzzUserList(data, size); });
}

// The case behind the saved input: a line of blanks inside the section gave an
// empty name, "Ok" wrote it as an empty line, and the next start lost every
// name after it (and matched "" as a keyword).
TEST(FuzzRegressionTest, BlankLineInUserListNamesNothingAndKeepsLaterNames) {
  TempDir dir;
  FakeHost host;
  WriteBytes(dir.File("UserList.INI"), "[USERGADGET]\nFirst\n  \t \nSecond\n   \n");
  Lines names;
  ASSERT_TRUE(ReadUserGadgetFile(dir.File("UserList.INI"), &names));
  EXPECT_EQ(names, L({"First", "\t", "Second"}));

  ASSERT_TRUE(SaveUserGadgets(dir.File("UserList.INI"), names, host));
  Lines again;
  LoadUserGadgets(dir.File("UserList.INI"), &again, host);
  EXPECT_EQ(again, L({"First", "\t", "Second"}));
  EXPECT_FALSE(BuildKeywordSets(again).gadget_keywords.count(Text()));
  EXPECT_TRUE(host.errors.empty());
}

// A blank before "[" kept a file line a name; written back as it stood it
// became a section header, and the names after it were lost.
TEST(FuzzRegressionTest, NameStartingWithBracketStaysANameAfterSaving) {
  TempDir dir;
  FakeHost host;
  WriteBytes(dir.File("UserList.INI"), "[USERGADGET]\nFirst\n [Odd\nLast\n");
  Lines names;
  ASSERT_TRUE(ReadUserGadgetFile(dir.File("UserList.INI"), &names));
  EXPECT_EQ(names, L({"First", "[Odd", "Last"}));

  names.push_back("[Added");  // as the User gadget window could add it
  ASSERT_TRUE(SaveUserGadgets(dir.File("UserList.INI"), names, host));
  EXPECT_EQ(ReadBytes(dir.File("UserList.INI")), "[USERGADGET]\nFirst\n [Odd\nLast\n [Added\n");
  Lines again;
  ASSERT_TRUE(ReadUserGadgetFile(dir.File("UserList.INI"), &again));
  EXPECT_EQ(again, names);
}

// The seeds of the newer targets pass their checks, and together they reach
// them: an undo that restores and one kept outside, event and include files
// compared, real runs whose files the dry run previews. A fixture the checks
// cannot reach shows here, since the fuzz build is not part of the tests.
TEST(FuzzRegressionTest, SeedsOfTheNewerTargetsPassAndReachTheirChecks) {
  size_t undone = 0, kept = 0, event_files = 0, include_lines = 0, written = 0;
  ReplayAll(Seeds("undo_record"), [&](const uint8_t* data, size_t size) {
    const fuzz::UndoSummary undo = fuzz::FuzzUndoRecord(data, size);
    undone += undo.undone;
    kept += undo.kept;
  });
  ReplayAll(Seeds("event_files"),
            [&](const uint8_t* data, size_t size) { event_files += fuzz::FuzzEventFiles(data, size).files_checked; });
  ReplayAll(Seeds("include_file"), [&](const uint8_t* data, size_t size) {
    include_lines += fuzz::FuzzIncludeFile(data, size).changed_lines;
  });
  ReplayAll(Seeds("form_run"),
            [&](const uint8_t* data, size_t size) { written += fuzz::FuzzDryRun(data, size).written; });
  EXPECT_GT(undone, 0u);
  EXPECT_GT(kept, 0u);
  EXPECT_GT(event_files, 0u);
  EXPECT_GT(include_lines, 0u);
  EXPECT_GT(written, 0u);
}

}  // namespace
}  // namespace quillon::testing
