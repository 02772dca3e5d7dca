#include "rewrite/source_passes.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;
using Strings = std::vector<std::string>;

Strings Names(const Lines& lines) {
  Strings out;
  for (const Text& l : lines) out.push_back(ToUtf8(l));
  return out;
}

Strings Names(const LineStore& lines) { return Names(lines.ToLines()); }

void RunAllPasses(const std::vector<Replacement>& r, AnalysisModel& a) {
  UpdatePrefixes(r, a);
  UpdateProcedures(r, a);
  UpdateConstants(r, a);
  UpdateOpenWindows(r, a);
}

TEST(SourcePassesWindowRename, RenamesProceduresConstantsAndOpenCalls) {
  AnalysisModel a;
  a.main_lines = L({"Open_Main()", "If Event = #Main", "SetGadgetText(#Main_OK, \"x\")", "Open_MainWindow()"});
  a.event_menu_lines = L({"Procedure EventMenu_Main_Save()", "  DisableGadget(#Main_OK, 1)", "EndProcedure"});
  a.event_gadget_lines = L({"Procedure EventGadget_Main_OK()", "  Open_Main() : #MyMain_X = 1"});
  a.event_window_lines = L({"Procedure EventSize_Main()", "Procedure EventExit_Main()",
                            "Procedure EventSize_Main_Dlg()", "Procedure EventExit_MainDlg()"});
  RunAllPasses({{"Main", "Start", kKindWindow}}, a);

  EXPECT_EQ(Names(a.main_lines),
            (Strings{"Open_Start()", "If Event = #Start", "SetGadgetText(#Start_OK, \"x\")", "Open_MainWindow()"}));
  EXPECT_EQ(Names(a.event_menu_lines),
            (Strings{"Procedure EventMenu_Start_Save()", "  DisableGadget(#Start_OK, 1)", "EndProcedure"}));
  EXPECT_EQ(Names(a.event_gadget_lines),
            (Strings{"Procedure EventGadget_Start_OK()", "  Open_Start() : #MyMain_X = 1"}));
  EXPECT_EQ(Names(a.event_window_lines), (Strings{"Procedure EventSize_Start()", "Procedure EventExit_Start()",
                                                  "Procedure EventSize_Start_Dlg()", "Procedure EventExit_MainDlg()"}));
}

// EventWindow.pb holds user code like the other three files: every rule
// that names all four lists reaches it, not only its own procedure names.
TEST(SourcePassesWindowRename, EventWindowLinesGetThePrefixConstantAndOpenRules) {
  AnalysisModel a;
  a.event_window_lines =
      L({"Procedure EventSize_Main()", "  ResizeGadget(#Main_List, 0, 0, WindowWidth(#Main), 9)", "  Open_Main()"});
  RunAllPasses({{"Main", "Start", kKindWindow}}, a);
  EXPECT_EQ(Names(a.event_window_lines),
            (Strings{"Procedure EventSize_Start()", "  ResizeGadget(#Start_List, 0, 0, WindowWidth(#Start), 9)",
                     "  Open_Start()"}));

  AnalysisModel g;
  g.event_window_lines = L({"  HideGadget(#Main_OK, 1)"});
  RunAllPasses({{"Main_OK", "Main_Cancel", kKindGadget}}, g);
  EXPECT_EQ(Names(g.event_window_lines), Strings{"  HideGadget(#Main_Cancel, 1)"});
}

TEST(SourcePassesWindowRename, PrefixPassIsPlainReplacement) {
  AnalysisModel a;
  a.event_menu_lines = L({"MyEventMenu_Main_X()", "eventmenu_main_y()", "#MyMain_X"});
  a.main_lines = L({"x = #MAIN_a + #main_b"});
  UpdatePrefixes({{"Main", "Start", kKindWindow}}, a);
  EXPECT_EQ(Names(a.event_menu_lines), (Strings{"MyEventMenu_Start_X()", "EventMenu_Start_y()", "#MyMain_X"}));
  EXPECT_EQ(Names(a.main_lines), Strings{"x = #Start_a + #Start_b"});
}

TEST(SourcePassesGadgetRename, WholeWordsOnlyAndBoundCase) {
  AnalysisModel a;
  a.main_lines = L({"#Main_OK", "#Main_OK2", "#Main_OKAY", "(#Main_OK)", "#Main_OK,", "#MAIN_ok = 3"});
  a.event_gadget_lines = L({"Procedure EventGadget_Main_OK()", "Procedure EventGadget_Main_OK2()"});
  a.event_menu_lines = L({"Procedure EventMenu_Main_OK()"});
  RunAllPasses({{"Main_OK", "Main_Cancel", kKindGadget}}, a);
  EXPECT_EQ(Names(a.main_lines), (Strings{"#Main_Cancel", "#Main_OK2", "#Main_OKAY", "(#Main_Cancel)", "#Main_Cancel,",
                                          "#Main_Cancel = 3"}));
  EXPECT_EQ(Names(a.event_gadget_lines),
            (Strings{"Procedure EventGadget_Main_Cancel()", "Procedure EventGadget_Main_OK2()"}));
  // A gadget binding renames no menu procedure.
  EXPECT_EQ(Names(a.event_menu_lines), Strings{"Procedure EventMenu_Main_OK()"});
}

TEST(SourcePassesBars, BarsRenameConstantsButNeverProcedures) {
  for (int kind : {kKindMenuBar, kKindStatusBar, kKindToolBar}) {
    AnalysisModel a;
    a.event_menu_lines = L({"Procedure EventMenu_Main_Bar()", "x = #Main_Bar"});
    a.event_gadget_lines = L({"Procedure EventGadget_Main_Bar()"});
    a.event_window_lines = L({"Procedure EventSize_Main_Bar()", "Open_Main_Bar()"});
    RunAllPasses({{"Main_Bar", "Main_Top", kind}}, a);
    EXPECT_EQ(Names(a.event_menu_lines), (Strings{"Procedure EventMenu_Main_Bar()", "x = #Main_Top"})) << kind;
    EXPECT_EQ(Names(a.event_gadget_lines), Strings{"Procedure EventGadget_Main_Bar()"}) << kind;
    EXPECT_EQ(Names(a.event_window_lines), (Strings{"Procedure EventSize_Main_Bar()", "Open_Main_Bar()"})) << kind;
  }
}

TEST(SourcePassesMenuItems, MenuItemRenamesItsEventProcedure) {
  AnalysisModel a;
  a.event_menu_lines = L({"Procedure EventMenu_Main_Save()", "Procedure EventMenu_Main_SaveAs()"});
  a.event_gadget_lines = L({"Procedure EventGadget_Main_Save()"});
  RunAllPasses({{"Main_Save", "Main_Store", kKindMenuItem}}, a);
  EXPECT_EQ(Names(a.event_menu_lines),
            (Strings{"Procedure EventMenu_Main_Store()", "Procedure EventMenu_Main_SaveAs()"}));
  EXPECT_EQ(Names(a.event_gadget_lines), Strings{"Procedure EventGadget_Main_Save()"});
}

TEST(SourcePassesOrder, RecordsApplyOneAfterTheOther) {
  // The window binding turns #A_x into #B_x; the later gadget binding of the
  // same run, recorded under the new prefix, then applies to it.
  AnalysisModel a;
  a.main_lines = L({"#A_x", "#A_y"});
  RunAllPasses({{"A", "B", kKindWindow}, {"B_x", "B_z", kKindGadget}}, a);
  EXPECT_EQ(Names(a.main_lines), (Strings{"#B_z", "#B_y"}));
}

TEST(SourcePassesNoBindings, LinesStayAsTheyAre) {
  AnalysisModel a;
  a.main_lines = L({"#Main_OK", "Open_Main()"});
  const Lines before = a.main_lines;
  RunAllPasses({}, a);
  EXPECT_EQ(a.main_lines, before);
}

}  // namespace
}  // namespace quillon
