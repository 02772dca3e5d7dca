#include "generate/event_files.h"

#include <gtest/gtest.h>

#include <random>

#include "generate/signature_index.h"
#include "generate/unused_procedures.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;

const std::string kSep = "; " + std::string(87, '*');

Lines Header(const std::string& title) { return L({";-TOP", "", title, "", kSep, ""}); }

Lines Concat(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(EventFilesTest, NewMenuFileHasHeaderAndOneProcedurePerItem) {
  AnalysisModel m;
  m.menu_items = L({"A", "B"});
  AddMenuProcedures(m);
  const Lines expected =
      Concat({Header("; Quillon Event Menu"), L({"Procedure EventMenu_A()", "  ", "EndProcedure", "", kSep, ""}),
              L({"Procedure EventMenu_B()", "  ", "EndProcedure", "", kSep, ""})});
  EXPECT_EQ(m.event_menu_lines, expected);
  EXPECT_EQ(m.event_menu_lines.size(), 18u);
}

TEST(EventFilesTest, NoMenuItemsStillGiveTheSixLineFile) {
  AnalysisModel m;
  AddMenuProcedures(m);
  EXPECT_EQ(m.event_menu_lines, Header("; Quillon Event Menu"));
}

TEST(EventFilesTest, ExistingProceduresAreKeptAndOnlyMissingOnesAppended) {
  AnalysisModel m;
  m.event_menu_lines = L({"; my own header", "Procedure EventMenu_A()", "  Debug \"user code\"", "EndProcedure"});
  m.menu_items = L({"A", "B"});
  AddMenuProcedures(m);
  EXPECT_EQ(m.event_menu_lines,
            Concat({L({"; my own header", "Procedure EventMenu_A()", "  Debug \"user code\"", "EndProcedure"}),
                    L({"Procedure EventMenu_B()", "  ", "EndProcedure", "", kSep, ""})}));
}

TEST(EventFilesTest, SignatureSearchFollowsTheSubstringRule) {
  AnalysisModel m;
  m.event_menu_lines = L({
      "; Procedure EventMenu_InComment()",         // in a comment: present
      "   Procedure EventMenu_Indented() ; note",  // leading blanks, text after: present
      "Procedure EventMenu_renamed()",             // other letter case: not present
      "Procedure EventMenu_Param(x)",              // other parameters: not present
      "Procedure EventMenu_Prefix()",              // "Pre" is not "Prefix": Pre missing
  });
  m.menu_items = L({"InComment", "Indented", "Renamed", "Param", "Pre", "Prefix"});
  AddMenuProcedures(m);
  std::vector<std::string> appended;
  for (size_t i = 5; i < m.event_menu_lines.size(); i += 6) appended.push_back(ToUtf8(m.event_menu_lines[i]));
  EXPECT_EQ(appended, (std::vector<std::string>{"Procedure EventMenu_Renamed()", "Procedure EventMenu_Param()",
                                                "Procedure EventMenu_Pre()"}));
}

TEST(EventFilesTest, GadgetProceduresSkipTextAndFrameGadgets) {
  AnalysisModel m;
  m.gadgets = {{T("G_Ok"), T("BUTTONGADGET")},
               {T("G_Text"), T("TEXTGADGET")},
               {T("G_Frame"), T("FRAME3DGADGET")},
               {T("G_User"), T("MYUSERGADGET")},
               {T("G_Mixed"), T("TextGadget")}};  // kinds are compared exactly
  AddGadgetProcedures(m);
  const Lines body = L({"  ", "  Select EventType", "    Case #PB_EventType_LeftClick", "      ", "  EndSelect", "  ",
                        "EndProcedure", "", kSep, ""});
  Lines expected = Header("; Quillon Event Gadget");
  for (const char* name : {"G_Ok", "G_User", "G_Mixed"}) {
    expected.push_back(T("Procedure EventGadget_") + T(name) + T("(EventType)"));
    expected.insert(expected.end(), body.begin(), body.end());
  }
  EXPECT_EQ(m.event_gadget_lines, expected);
}

TEST(EventFilesTest, GadgetWithChangedParameterNameIsAppendedAgain) {
  AnalysisModel m;
  m.event_gadget_lines = L({"Procedure EventGadget_G_Ok(Type)", "EndProcedure"});
  m.gadgets = {{T("G_Ok"), T("BUTTONGADGET")}};
  AddGadgetProcedures(m);
  ASSERT_GT(m.event_gadget_lines.size(), 2u);
  EXPECT_EQ(ToUtf8(m.event_gadget_lines[2]), "Procedure EventGadget_G_Ok(EventType)");
}

TEST(EventFilesTest, NewWindowFileListsSizesBeforeExits) {
  AnalysisModel m;
  m.windows = L({"WinMain", "WinAbout"});
  AddSizeProcedures(m);
  AddExitProcedures(m);
  const Lines expected = Concat(
      {Header("; Quillon Event Window"), L({"Procedure EventSize_WinMain()", "  ", "EndProcedure", "", kSep, ""}),
       L({"Procedure EventSize_WinAbout()", "  ", "EndProcedure", "", kSep, ""}),
       L({"Procedure EventExit_WinMain()", "  ExitApplication = 1", "EndProcedure", "", kSep, ""}),
       L({"Procedure EventExit_WinAbout()", "  CloseWindow(#WinAbout)", "EndProcedure", "", kSep, ""})});
  EXPECT_EQ(m.event_window_lines, expected);
}

TEST(EventFilesTest, ExitBodyDependsOnPositionOnlyAndExistingBodiesStay) {
  AnalysisModel m;
  // Earlier run had WinMain first; now WinNew is first and WinMain's exit exists.
  m.event_window_lines = L({"Procedure EventSize_WinMain()", "EndProcedure", "Procedure EventExit_WinMain()",
                            "  ExitApplication = 1", "EndProcedure"});
  m.windows = L({"WinNew", "WinMain", "WinThird"});
  AddSizeProcedures(m);
  AddExitProcedures(m);
  const Lines all = m.event_window_lines.ToLines();
  const Lines tail(all.begin() + 5, all.end());
  EXPECT_EQ(tail,
            Concat({L({"Procedure EventSize_WinNew()", "  ", "EndProcedure", "", kSep, ""}),
                    L({"Procedure EventSize_WinThird()", "  ", "EndProcedure", "", kSep, ""}),
                    L({"Procedure EventExit_WinNew()", "  ExitApplication = 1", "EndProcedure", "", kSep, ""}),
                    L({"Procedure EventExit_WinThird()", "  CloseWindow(#WinThird)", "EndProcedure", "", kSep, ""})}));
  EXPECT_EQ(ToUtf8(m.event_window_lines[3]), "  ExitApplication = 1");
}

TEST(EventFilesTest, TrailingCleanUpRemovesOnlyTheFinalCommentBlock) {
  LineStore with_block = LineStore::Of(L({"Procedure EventMenu_A()", "; inner comment", "EndProcedure", "", kSep,
                                          "; IDE Options = PureBasic 5.10", "; Folding = -"}));
  RemoveTrailingComments(with_block);
  EXPECT_EQ(with_block, L({"Procedure EventMenu_A()", "; inner comment", "EndProcedure", "", kSep}));
  RemoveTrailingComments(with_block);  // then the final separator line alone
  EXPECT_EQ(with_block, L({"Procedure EventMenu_A()", "; inner comment", "EndProcedure", ""}));

  LineStore ends_empty = LineStore::Of(L({"EndProcedure", "", kSep, ""}));
  const LineStore before = ends_empty;
  RemoveTrailingComments(ends_empty);
  EXPECT_EQ(ends_empty, before);

  // The user's comments (commented-out code) stay.
  LineStore only_comments = LineStore::Of(L({";Procedure Old()", ";EndProcedure"}));
  RemoveTrailingComments(only_comments);
  EXPECT_EQ(only_comments, L({";Procedure Old()", ";EndProcedure"}));

  LineStore indented = LineStore::Of(L({"x", "  ; indented comment"}));  // first character is a blank
  RemoveTrailingComments(indented);
  EXPECT_EQ(indented.size(), 2u);
}

// Brute force of the rule: a line contains prefix + name + suffix.
bool NaivePresent(const Lines& lines, const Text& signature) {
  for (const Text& line : lines) {
    if (line.find(signature) != Text::npos) return true;
  }
  return false;
}

TEST(SignatureIndexTest, AgreesWithTheSubstringRuleOnRandomLines) {
  std::mt19937 rng(12345);
  const std::vector<std::string> pieces = {
      "Procedure EventMenu_", "()", "(", ")", "A", "B", "AB", "_", " ", ";", "Procedure EventMenu_A", "EventMenu_"};
  const Lines names = L({"A", "B", "AB", "A()", "", "ABA", "_A", "B)"});
  for (int round = 0; round < 300; ++round) {
    Lines lines;
    const int line_count = static_cast<int>(rng() % 5);
    for (int i = 0; i < line_count; ++i) {
      std::string line;
      const int n = static_cast<int>(rng() % 8);
      for (int k = 0; k < n; ++k) line += pieces[rng() % pieces.size()];
      lines.push_back(T(line));
    }
    SignatureIndex index("Procedure EventMenu_", "()", std::vector<TextView>(names.begin(), names.end()));
    index.AddLines(lines);
    size_t missing = 0;
    for (size_t i = 0; i < names.size(); ++i) {
      const bool present = NaivePresent(lines, T("Procedure EventMenu_") + names[i] + T("()"));
      EXPECT_EQ(index.Contains(names[i]), present)
          << "name '" << ToUtf8(names[i]) << "' in: " << testing::ToUtf8Lines(lines);
      EXPECT_EQ(index.ContainsNameAt(i), present);
      missing += present ? 0 : 1;
    }
    EXPECT_EQ(index.MissingCount(), missing);  // the names are distinct
  }
}

// A user may reorder procedures: one found out of the names' order is
// still one of them, and only signatures without an object are named.
TEST(EventFilesTest, UnusedProceduresAreFoundInAnyOrder) {
  AnalysisModel m;
  m.gadgets = {{"A", "BUTTONGADGET"}, {"B", "BUTTONGADGET"}, {"C", "BUTTONGADGET"}};
  m.windows = L({"W1", "W2"});
  m.event_gadget_lines = L({"Procedure EventGadget_C(EventType)", "Procedure EventGadget_Gone(EventType)",
                            "Procedure EventGadget_A(EventType)", "Procedure EventGadget_B(EventType)"});
  m.event_window_lines = L({"Procedure EventExit_W2()", "Procedure EventSize_W2()", "Procedure EventExit_W1()",
                            "Procedure EventSize_W1()", "Procedure EventSize_W3()"});
  testing::FakeHost host;
  LogUnusedProcedures(m, "/p/", host);
  EXPECT_EQ(host.log, (std::vector<std::string>{" -> Unused Procedure EventGadget_Gone in /p/EventGadget.pb",
                                                " -> Unused Procedure EventSize_W3 in /p/EventWindow.pb"}));
}

}  // namespace
}  // namespace quillon
