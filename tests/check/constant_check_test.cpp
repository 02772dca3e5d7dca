#include "check/constant_check.h"

#include <gtest/gtest.h>

#include "check/step2.h"
#include "check/todo_entry.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::FakeHost;
using testing::L;

BindReply Continue(std::initializer_list<std::string> todo) { return BindReply{false, L(todo), {}}; }
BindReply Cancel() { return BindReply{true, {}, {}}; }

void SetGadgets(Workspace& ws, std::initializer_list<std::string> names) {
  ws.analysis.gadgets.clear();
  for (const auto& n : names) ws.analysis.gadgets.push_back({FromUtf8(n), "BUTTONGADGET"});
}

std::vector<std::string> Names(const Lines& lines) {
  std::vector<std::string> out;
  for (const Text& l : lines) out.push_back(ToUtf8(l));
  return out;
}

using Strings = std::vector<std::string>;

void ExpectRecord(const Replacement& r, const std::string& old_name, const std::string& new_name, int kind) {
  EXPECT_EQ(ToUtf8(r.old_name), old_name);
  EXPECT_EQ(ToUtf8(r.new_name), new_name);
  EXPECT_EQ(r.kind, kind);
}

const Strings kStep2Log = {"Generate Code Step 2 ...", "- Check Constants..."};

TEST(CheckConstantsWorkedExample, WindowBindingCarriesGadgetPrefixes) {
  Workspace ws;
  ws.project.saved_windows = L({"A"});
  ws.analysis.windows = L({"B"});
  ws.project.saved_gadgets = L({"A_x", "A_y"});
  SetGadgets(ws, {"B_x", "B_z"});
  FakeHost host;
  host.replies = {Continue({"A > B"}), Continue({"B_y > B_z"})};

  ASSERT_TRUE(CheckConstants(ws, host));

  EXPECT_EQ(host.log, kStep2Log);
  ASSERT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(host.questions[0].kind, kKindWindow);
  EXPECT_EQ(Names(host.questions[0].unbound_old), Strings{"A"});
  EXPECT_EQ(Names(host.questions[0].unbound_new), Strings{"B"});
  EXPECT_EQ(host.questions[1].kind, kKindGadget);
  EXPECT_EQ(Names(host.questions[1].unbound_old), Strings{"B_y"});
  EXPECT_EQ(Names(host.questions[1].unbound_new), Strings{"B_z"});

  ASSERT_EQ(ws.check.replacements.size(), 2u);
  ExpectRecord(ws.check.replacements[0], "A", "B", 1);
  ExpectRecord(ws.check.replacements[1], "B_y", "B_z", 6);
  // Only the work list was renamed.
  EXPECT_EQ(Names(ws.project.saved_gadgets), (Strings{"A_x", "A_y"}));
}

TEST(CheckConstantsWorkedExample, EveryKindIsComparedWithItsOwnLists) {
  Workspace ws;
  ws.project.saved_menu_bars = L({"M_Old"});
  ws.analysis.menu_bars = L({"M_New"});
  ws.project.saved_menu_items = L({"M_Item"});
  ws.analysis.menu_items = L({"M_Item"});
  ws.project.saved_status_bars = L({"M_Sb"});
  ws.analysis.status_bars = L({"M_Sb2"});
  ws.project.saved_tool_bars = L({"M_Tb"});
  ws.analysis.tool_bars = L({"M_Tb3"});
  FakeHost host;
  host.replies = {Continue({"M_Old > M_New"}), Continue({"M_Sb > M_Sb2"}), Continue({"M_Tb > M_Tb3"})};

  ASSERT_TRUE(CheckConstants(ws, host));
  ASSERT_EQ(host.questions.size(), 3u);
  EXPECT_EQ(host.questions[0].kind, kKindMenuBar);
  EXPECT_EQ(host.questions[1].kind, kKindStatusBar);
  EXPECT_EQ(host.questions[2].kind, kKindToolBar);
  ASSERT_EQ(ws.check.replacements.size(), 3u);
  ExpectRecord(ws.check.replacements[0], "M_Old", "M_New", 2);
  ExpectRecord(ws.check.replacements[1], "M_Sb", "M_Sb2", 4);
  ExpectRecord(ws.check.replacements[2], "M_Tb", "M_Tb3", 5);
}

TEST(CheckConstantsNoDialog, SavedNamesOfPbAnyObjectsAreNotAskedAbout) {
  // Earlier runs recorded "window_PB_Any" for objects made with #PB_Any.
  Workspace ws;
  ws.project.saved_windows = L({"Main", "Tools"});
  ws.analysis.windows = L({"Main", "Tools"});
  ws.project.saved_menu_bars = L({"Main_PB_Any"});
  ws.project.saved_gadgets = L({"Main_PB_Any", "Tools_pb_any", "Main_Go", "Other_PB_Any", "Main_PBX"});
  SetGadgets(ws, {"Main_Go"});
  FakeHost host;
  host.replies = {Continue({})};

  ASSERT_TRUE(CheckConstants(ws, host));

  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].kind, kKindGadget);
  EXPECT_EQ(Names(host.questions[0].unbound_old), (Strings{"Other_PB_Any", "Main_PBX"}));
  EXPECT_EQ(Names(ws.project.saved_gadgets).size(), 5u);
}

TEST(CheckConstantsNoDialog, OnlyNewNamesAskNothing) {
  Workspace ws;
  ws.project.saved_windows = L({"Main"});
  ws.analysis.windows = L({"Main", "Second"});
  ws.project.saved_gadgets = L({"Main_OK"});
  SetGadgets(ws, {"Main_OK", "Second_New"});
  ws.check.replacements.push_back({"stale", "record", 6});  // from an earlier run
  FakeHost host;

  ASSERT_TRUE(CheckConstants(ws, host));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(ws.check.replacements.empty());
  EXPECT_EQ(host.log, kStep2Log);
}

TEST(CheckConstantsNoDialog, FirstRunWithoutSavedNames) {
  Workspace ws;
  ws.analysis.windows = L({"Main"});
  ws.analysis.menu_items = L({"Main_Open"});
  FakeHost host;
  ASSERT_TRUE(CheckConstants(ws, host));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(ws.check.replacements.empty());
}

TEST(CheckConstantsDialog, OnlyRemovedNamesShowEmptyNewList) {
  Workspace ws;
  ws.project.saved_menu_items = L({"Main_Open", "Main_Gone", "Main_Also"});
  ws.analysis.menu_items = L({"Main_Open"});
  FakeHost host;
  host.replies = {Continue({})};  // "Continue", then "Yes": the old names are dropped
  ASSERT_TRUE(CheckConstants(ws, host));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].kind, kKindMenuItem);
  EXPECT_EQ(Names(host.questions[0].unbound_old), (Strings{"Main_Gone", "Main_Also"}));
  EXPECT_TRUE(host.questions[0].unbound_new.empty());
  EXPECT_TRUE(ws.check.replacements.empty());
}

TEST(CheckConstantsDialog, CaseOnlyRenameIsUnboundOnBothSides) {
  Workspace ws;
  ws.project.saved_windows = L({"main"});
  ws.analysis.windows = L({"Main"});
  ws.project.saved_gadgets = L({"main_ok", "Main_OK"});
  SetGadgets(ws, {"Main_Ok", "Main_OK"});
  FakeHost host;
  host.replies = {Continue({"main > Main"}), Continue({"Main_ok > Main_Ok"})};
  ASSERT_TRUE(CheckConstants(ws, host));
  ASSERT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(Names(host.questions[0].unbound_old), Strings{"main"});
  EXPECT_EQ(Names(host.questions[0].unbound_new), Strings{"Main"});
  // The prefix "main_" became "Main_", so only the case of "ok" is left.
  EXPECT_EQ(Names(host.questions[1].unbound_old), Strings{"Main_ok"});
  EXPECT_EQ(Names(host.questions[1].unbound_new), Strings{"Main_Ok"});
  ASSERT_EQ(ws.check.replacements.size(), 2u);
  ExpectRecord(ws.check.replacements[1], "Main_ok", "Main_Ok", 6);
}

TEST(CheckConstantsDialog, CancelAtStatusBarsFailsAfterEarlierBindings) {
  Workspace ws;
  ws.project.saved_windows = L({"A"});
  ws.analysis.windows = L({"B"});
  ws.project.saved_menu_items = L({"B_Old"});
  ws.analysis.menu_items = L({"B_New"});
  ws.project.saved_status_bars = L({"B_Sb"});
  ws.analysis.status_bars = L({"B_Status"});
  ws.project.saved_gadgets = L({"B_Gone"});  // would ask for kind 6
  FakeHost host;
  host.replies = {Continue({"A > B"}), Continue({"B_Old > B_New"}), Cancel(), Continue({})};

  EXPECT_FALSE(CheckConstants(ws, host));
  ASSERT_EQ(host.questions.size(), 3u);
  EXPECT_EQ(host.questions[2].kind, kKindStatusBar);
  EXPECT_EQ(host.replies.size(), 1u);  // kinds 5 and 6 never asked
  EXPECT_EQ(host.log, kStep2Log);
}

TEST(CheckConstantsDialog, CancelAtWindowsStopsAtOnce) {
  Workspace ws;
  ws.project.saved_windows = L({"A"});
  ws.project.saved_gadgets = L({"A_x"});
  FakeHost host;
  host.replies = {Cancel()};
  EXPECT_FALSE(CheckConstants(ws, host));
  EXPECT_EQ(host.questions.size(), 1u);
}

TEST(CheckConstantsDialog, TodoEntriesBecomeRecordsInListOrder) {
  Workspace ws;
  ws.project.saved_gadgets = L({"W_a", "W_b", "W_c"});
  SetGadgets(ws, {"W_x", "W_y"});
  FakeHost host;
  host.replies = {Continue({"W_c > W_x", "  W_a   >W_y  > junk", "broken", " > W_x", "W_b > "})};
  ASSERT_TRUE(CheckConstants(ws, host));
  ASSERT_EQ(ws.check.replacements.size(), 2u);
  ExpectRecord(ws.check.replacements[0], "W_c", "W_x", 6);
  ExpectRecord(ws.check.replacements[1], "W_a", "W_y", 6);
}

TEST(WindowPrefixRenaming, AppliesBindingsInOrderOnlyAtTheStart) {
  const std::vector<Replacement> records = {{"A", "B", kKindWindow}, {"X", "Y", kKindGadget}, {"B", "C", kKindWindow}};
  Lines names = L({"A_x", "B_y", "a_x", "XA_x", "A", "A_", "X_q", "AB_x"});
  RenameWindowPrefixes(records, &names);
  EXPECT_EQ(Names(names), (Strings{"C_x", "C_y", "a_x", "XA_x", "A", "C_", "X_q", "AB_x"}));
}

TEST(UnboundNames, KeepsOrderAndDuplicatesAndComparesExactly) {
  const Lines names = L({"b", "a", "B", "b", "ä", "c"});
  const Lines others = L({"a", "Ä", "c", "c"});
  EXPECT_EQ(Names(UnboundNames(names, others)), (Strings{"b", "B", "b", "ä"}));
  EXPECT_TRUE(UnboundNames({}, others).empty());
  EXPECT_EQ(UnboundNames(names, {}).size(), names.size());
}

TEST(TodoEntries, RoundTripAndRejectEmptySides) {
  EXPECT_EQ(ToUtf8(MakeTodoEntry("Old", "New")), "Old > New");
  Replacement r;
  ASSERT_TRUE(ParseTodoEntry(MakeTodoEntry("Old", "New"), 3, &r));
  ExpectRecord(r, "Old", "New", 3);
  ASSERT_TRUE(ParseTodoEntry("a>b>c", 2, &r));
  ExpectRecord(r, "a", "b", 2);
  EXPECT_FALSE(ParseTodoEntry("no arrow", 2, &r));
  EXPECT_FALSE(ParseTodoEntry("  > b", 2, &r));
  EXPECT_FALSE(ParseTodoEntry("a >  ", 2, &r));
  const TodoParts parts = SplitTodoEntry(" x > y ");
  EXPECT_EQ(ToUtf8(parts.old_name), "x");
  EXPECT_EQ(ToUtf8(parts.new_name), "y");
}

}  // namespace
}  // namespace quillon
