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

std::vector<std::string> SavedInputs(const std::string& target) {
  const std::string dir = std::string(QUILLON_SOURCE_DIR) + "/tests/fuzz_regressions/inputs/" + target + "/";
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

template <typename Entry>
void ReplayAll(const std::string& target, Entry entry) {
  const std::vector<std::string> inputs = SavedInputs(target);
  ASSERT_FALSE(inputs.empty()) << "no saved inputs for " << target;
  for (const std::string& path : inputs) {
    const std::string bytes = ReadBytes(path);
    const int before = fuzz::BrokenInvariants();
    entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(fuzz::BrokenInvariants(), before) << "invariant broken by " << path;
  }
}

TEST(FuzzRegressionTest, FormRunInputsNeverWriteTheForm) {
  ReplayAll("form_run", [](const uint8_t* data, size_t size) { fuzz::FuzzFormRun(data, size); });
}

TEST(FuzzRegressionTest, EventFileInputsKeepTheUsersLines) {
  ReplayAll("event_files", [](const uint8_t* data, size_t size) { fuzz::FuzzEventFiles(data, size); });
}

TEST(FuzzRegressionTest, UserListInputsReadBackAfterSaving) {
  ReplayAll("user_list", [](const uint8_t* data, size_t size) { fuzz::FuzzUserList(data, size); });
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

// The undo record target's seeds, through its entry: what each hostile
// record makes undo do in its dry run. A fault in the harness (a fixture the
// record cannot match, a check that never looks) shows here first.
TEST(FuzzRegressionTest, UndoRecordSeedsUndoOnlyInsideTheProject) {
  struct Case {
    const char* seed;
    UndoOutcome outcome;
    size_t undone, kept;
  };
  const Case cases[] = {
      {"restorable", UndoOutcome::kRestored, 3, 0},           {"outside_through_link", UndoOutcome::kSomeKept, 0, 1},
      {"outside_through_dots", UndoOutcome::kSomeKept, 0, 1}, {"changed_since", UndoOutcome::kSomeKept, 0, 1},
      {"same_file_twice", UndoOutcome::kRestored, 1, 0},
  };
  for (const Case& c : cases) {
    const std::string bytes = ReadBytes(std::string(QUILLON_SOURCE_DIR) + "/fuzz/corpus/undo_record/" + c.seed);
    const int before = fuzz::BrokenInvariants();
    const fuzz::UndoSummary summary =
        fuzz::FuzzUndoRecord(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(fuzz::BrokenInvariants(), before) << c.seed;
    EXPECT_TRUE(summary.decoded) << c.seed;
    EXPECT_EQ(summary.outcome, c.outcome) << c.seed;
    EXPECT_EQ(summary.undone, c.undone) << c.seed;
    EXPECT_EQ(summary.kept, c.kept) << c.seed;
  }
}

// The event-file target's seeds: each run regenerates, and all three event
// files it writes hold every line of the user's versions, in order.
TEST(FuzzRegressionTest, EventFileSeedsKeepTheUsersLines) {
  for (const char* seed : {"with_user_code", "utf8_with_mark", "procedure_deleted", "crlf_and_helpers"}) {
    const std::string bytes = ReadBytes(std::string(QUILLON_SOURCE_DIR) + "/fuzz/corpus/event_files/" + seed);
    const int before = fuzz::BrokenInvariants();
    const fuzz::EventSummary summary =
        fuzz::FuzzEventFiles(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(fuzz::BrokenInvariants(), before) << seed;
    EXPECT_TRUE(summary.ready) << seed;
    EXPECT_EQ(summary.files_checked, 3u) << seed;
  }
}

// The dry-run target on the form seeds: each real run writes files, and the
// dry run reports and previews exactly those.
TEST(FuzzRegressionTest, DryRunTargetMatchesTheRealRunOnTheFormSeeds) {
  for (const char* seed : {"example_main.pbf", "handwritten.pb", "two_windows.pbf", "with_main.pbf"}) {
    const std::string bytes = ReadBytes(std::string(QUILLON_SOURCE_DIR) + "/fuzz/corpus/form_run/" + seed);
    const int before = fuzz::BrokenInvariants();
    const fuzz::DryRunSummary summary = fuzz::FuzzDryRun(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(fuzz::BrokenInvariants(), before) << seed;
    EXPECT_TRUE(summary.ready) << seed;
    EXPECT_GT(summary.written, 3u) << seed;
  }
}

// The include-file target's seeds: the bindings rewrite exactly the lines
// that name an old name.
TEST(FuzzRegressionTest, IncludeFileSeedsChangeOnlyLinesNamingAnOldName) {
  struct Case {
    const char* seed;
    bool rewritten;
    size_t changed;
  };
  for (const Case& c : {Case{"uses_old_names", true, 3}, Case{"utf8_crlf", true, 1}, Case{"no_old_names", false, 0}}) {
    const std::string bytes = ReadBytes(std::string(QUILLON_SOURCE_DIR) + "/fuzz/corpus/include_file/" + c.seed);
    const int before = fuzz::BrokenInvariants();
    const fuzz::IncludeSummary summary =
        fuzz::FuzzIncludeFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(fuzz::BrokenInvariants(), before) << c.seed;
    EXPECT_EQ(summary.rewritten, c.rewritten) << c.seed;
    EXPECT_EQ(summary.changed_lines, c.changed) << c.seed;
  }
}

}  // namespace
}  // namespace quillon::testing
