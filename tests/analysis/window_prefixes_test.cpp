#include "analysis/window_prefixes.h"

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"

namespace quillon::testing {
namespace {

const char kPbAnyLine[] = " -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!";

struct PrefixCase {
  std::vector<std::string> FormCodeAfter(std::initializer_list<std::string> lines) {
    p.SetFormCode(lines);
    ok = InsertWindowPrefixes(*p.ws, p.host);
    return p.FormCode();
  }
  Step1Project p{L({"MyGadget"})};
  bool ok = false;
};

TEST(InsertWindowPrefixesTest, ObjectConstantsOfAWindowGetItsPrefix) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "Procedure Open_Main()",
      "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
      "  ButtonGadget(#OK, 10, 10, 80, 24, Caption$)",
      "  x = GetGadgetState(#OK)",
      "  Foo(GetGadgetState(#OK))",
      "\tSetGadgetText(#Name, \"x\")",
      "  MyGadget(#Custom, 1, 2)",
      "  CreateMenu(#Menu, WindowID(#Main))",
      "  Debug(#Value)",
      "EndProcedure",
  });
  EXPECT_TRUE(c.ok);
  EXPECT_EQ(out, (std::vector<std::string>{
                     "Procedure Open_Main()",
                     "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
                     "  ButtonGadget(#Main_OK, 10, 10, 80, 24, Caption$)",
                     "  x = GetGadgetState(#Main_OK)",
                     "  Foo(GetGadgetState(#OK))",
                     "\tSetGadgetText(#Main_Name, \"x\")",
                     "  MyGadget(#Main_Custom, 1, 2)",
                     "  CreateMenu(#Main_Menu, WindowID(#Main))",
                     "  Debug(#Value)",
                     "EndProcedure",
                 }));
  EXPECT_TRUE(c.p.host.log.empty());
}

TEST(InsertWindowPrefixesTest, OnlyTheFirstObjectConstantOfALineIsPrefixed) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#W, 0, 0, 1, 1, T$)",
      "SetGadgetState(#A, GetGadgetState(#B))",
      "If x : SetGadgetState(#C, 1)",
  });
  EXPECT_EQ(out[1], "SetGadgetState(#W_A, GetGadgetState(#B))");
  // The word before "(#" is the one after the last blank.
  EXPECT_EQ(out[2], "If x : SetGadgetState(#W_C, 1)");
}

TEST(InsertWindowPrefixesTest, CodeBeforeTheFirstWindowStaysAndPrefixCarriesAcrossProcedures) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "Procedure Helper()",
      "  ButtonGadget(#Early, 0, 0, 1, 1, \"\")",
      "EndProcedure",
      "Procedure Open_Dlg()",
      "  OpenWindow(#Dlg, 0, 0, 1, 1, T$)",
      "EndProcedure",
      "Procedure Other()",
      "  HideGadget(#Late, 1)",
      "EndProcedure",
  });
  EXPECT_EQ(out[1], "  ButtonGadget(#Early, 0, 0, 1, 1, \"\")");
  EXPECT_EQ(out[7], "  HideGadget(#Dlg_Late, 1)");
}

TEST(InsertWindowPrefixesTest, PbAnyWindowStopsInAnyLetterCase) {
  for (const char* window : {"OpenWindow(#PB_Any, 0, 0, 1, 1, T$)", "w = openwindow(#pb_any , 0, 0, 1, 1, T$)"}) {
    PrefixCase c;
    const auto out = c.FormCodeAfter({
        "OpenWindow(#Main, 0, 0, 1, 1, T$)",
        "ButtonGadget(#OK, 0, 0, 1, 1, \"\")",
        window,
        "ButtonGadget(#After, 0, 0, 1, 1, \"\")",
    });
    EXPECT_FALSE(c.ok) << window;
    EXPECT_EQ(c.p.host.log, (std::vector<std::string>{kPbAnyLine}));
    EXPECT_EQ(out[1], "ButtonGadget(#Main_OK, 0, 0, 1, 1, \"\")");  // rewritten before the stop
    EXPECT_EQ(out[3], "ButtonGadget(#After, 0, 0, 1, 1, \"\")");    // never reached
  }
}

TEST(InsertWindowPrefixesTest, CommentSkipDependsOnTheSemicolonColumn) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "; OpenWindow(#Old, 0, 0, 1, 1, T$)",
      "  ; ButtonGadget(#Skipped, 0, 0, 1, 1, \"\")",
      "ButtonGadget(#A, 0, 0, 1, 1, \"\")",
      "         ; OpenWindow(#Late, 0, 0, 1, 1, T$)",
      "ButtonGadget(#B, 0, 0, 1, 1, \"\") ; note",
      "; OpenWindow(#PB_Any, 0, 0, 1, 1, T$)",
  });
  EXPECT_TRUE(c.ok);
  EXPECT_EQ(out[2], "  ; ButtonGadget(#Skipped, 0, 0, 1, 1, \"\")");
  EXPECT_EQ(out[3], "ButtonGadget(#Main_A, 0, 0, 1, 1, \"\")");
  // Nine blanks put the ";" at column 10: the line counts as a window line.
  EXPECT_EQ(out[5], "ButtonGadget(#Late_B, 0, 0, 1, 1, \"\") ; note");
}

// The skip ends exactly between columns 9 and 10: eight blanks before the
// ";" still make a comment line, nine do not.
TEST(InsertWindowPrefixesTest, SemicolonInColumnNineStillSkipsTheLine) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "        ; ButtonGadget(#Nine, 0, 0, 1, 1, \"\")",
      "        ; OpenWindow(#Other, 0, 0, 1, 1, T$)",
      "ButtonGadget(#A, 0, 0, 1, 1, \"\")",
      "         ; ButtonGadget(#Ten, 0, 0, 1, 1, \"\")",
  });
  EXPECT_TRUE(c.ok);
  EXPECT_EQ(out[1], "        ; ButtonGadget(#Nine, 0, 0, 1, 1, \"\")");
  EXPECT_EQ(out[3], "ButtonGadget(#Main_A, 0, 0, 1, 1, \"\")");
  EXPECT_EQ(out[4], "         ; ButtonGadget(#Main_Ten, 0, 0, 1, 1, \"\")");
}

TEST(InsertWindowPrefixesTest, ToolBarAndStatusBarSwitchThePrefix) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "CreateToolBar(#TB, WindowID(#Dlg))",
      "ToolBarStandardButton(#New, #PB_ToolBarIcon_New)",
      "CreateStatusBar(#SB, WindowID(#Third))",
      "StatusBarText(#SB, 0, \"x\")",
  });
  EXPECT_EQ(out[1], "CreateToolBar(#Dlg_TB, WindowID(#Dlg))");
  EXPECT_EQ(out[2], "ToolBarStandardButton(#Dlg_New, #PB_ToolBarIcon_New)");
  EXPECT_EQ(out[3], "CreateStatusBar(#Third_SB, WindowID(#Third))");
  EXPECT_EQ(out[4], "StatusBarText(#Third_SB, 0, \"x\")");
}

TEST(InsertWindowPrefixesTest, UseGadgetListSwitchesThePrefixAndStaysUnchanged) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "UseGadgetList(WindowID(#Other))",
      "TextGadget(#Label, 0, 0, 1, 1, \"\")",
      "CreateGadgetList(WindowID(#Main))",
      "AddStatusBarField(#Width)",
  });
  EXPECT_EQ(out[1], "UseGadgetList(WindowID(#Other))");
  EXPECT_EQ(out[2], "TextGadget(#Other_Label, 0, 0, 1, 1, \"\")");
  EXPECT_EQ(out[3], "CreateGadgetList(WindowID(#Main))");
  EXPECT_EQ(out[4], "AddStatusBarField(#Width)");
}

TEST(InsertWindowPrefixesTest, ToolTipsAndToolBarButtonStatesPrefixTheirSecondArgument) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "ToolBarToolTip(#TB, #Btn, Tip$)",
      "x = GetToolBarButtonState(#TB, #Btn)",
      "DisableToolBarButton(#TB, #Btn, 1)",
      "SetToolBarButtonState(#TB, #Btn, 1)",
      "BalloonTip(hwnd, #Gadget, Text$)",
  });
  EXPECT_EQ(out[1], "ToolBarToolTip(#Main_TB, #Main_Btn, Tip$)");
  EXPECT_EQ(out[2], "x = GetToolBarButtonState(#Main_TB, #Main_Btn)");
  EXPECT_EQ(out[3], "DisableToolBarButton(#Main_TB, #Main_Btn, 1)");
  EXPECT_EQ(out[4], "SetToolBarButtonState(#Main_TB, #Main_Btn, 1)");
  EXPECT_EQ(out[5], "BalloonTip(hwnd, #Main_Gadget, Text$)");
}

TEST(InsertWindowPrefixesTest, SplitterAndMdiGadgetsPrefixSixthAndSeventhArguments) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "SplitterGadget(#Sp, 0, 0, 200, 100, #A, #B)",
      "MDIGadget(#Mdi, 0, 0, 200, 100, #Menu, #First, #PB_MDI_AutoSize)",
      "SplitterGadget(#Sp2, 0, 0, 200, 100, #C, #D, #PB_Splitter_Vertical)",
  });
  EXPECT_EQ(out[1], "SplitterGadget(#Main_Sp, 0, 0, 200, 100, #Main_A, #Main_B)");
  EXPECT_EQ(out[2], "MDIGadget(#Main_Mdi, 0, 0, 200, 100, #Main_Menu, #Main_First, #PB_MDI_AutoSize)");
  EXPECT_EQ(out[3], "SplitterGadget(#Main_Sp2, 0, 0, 200, 100, #Main_C, #Main_D, #PB_Splitter_Vertical)");
}

TEST(InsertWindowPrefixesTest, BarHeightGetsOnePrefix) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main, 0, 0, 1, 1, T$)",
      "y = ToolBarHeight(#TB)",
      "h = StatusBarHeight(#SB) + 4",
      "ResizeGadget(#G, 0, StatusBarHeight(#SB), 1, 1)",
  });
  EXPECT_EQ(out[1], "y = ToolBarHeight(#Main_TB)");
  EXPECT_EQ(out[2], "h = StatusBarHeight(#Main_SB) + 4");
  // Bar height inside another command: both constants get their prefix.
  EXPECT_EQ(out[3], "ResizeGadget(#Main_G, 0, StatusBarHeight(#Main_SB), 1, 1)");
}

TEST(InsertWindowPrefixesTest, FormDesignerConstantsGetTheirWindowPrefix) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "Procedure Open_Window_0(x = 0, y = 0, width = 600, height = 400)",
      "  OpenWindow(#Window_0, x, y, width, height, \"\", #PB_Window_SystemMenu)",
      "  CreateMenu(#Menu, WindowID(#Window_0))",
      "  CreateToolbar(#ToolBar, WindowID(#Window_0))",
      "  ToolBarToolTip(#ToolBar, #Tb_Open, \"Open\")",
      "  CreateStatusBar(#StatusBar, WindowID(#Window_0))",
      "  AddStatusBarField(100)",
      "  StatusBarText(#StatusBar, 0, \"Ready\")",
  });
  EXPECT_EQ(out[2], "  CreateMenu(#Window_0_Menu, WindowID(#Window_0))");
  EXPECT_EQ(out[3], "  CreateToolbar(#Window_0_ToolBar, WindowID(#Window_0))");
  EXPECT_EQ(out[4], "  ToolBarToolTip(#Window_0_ToolBar, #Window_0_Tb_Open, \"Open\")");
  EXPECT_EQ(out[5], "  CreateStatusBar(#Window_0_StatusBar, WindowID(#Window_0))");
  EXPECT_EQ(out[7], "  StatusBarText(#Window_0_StatusBar, 0, \"Ready\")");
}

TEST(InsertWindowPrefixesTest, MalformedLinesNeverCrash) {
  PrefixCase c;
  const std::string long_line = "ButtonGadget(#" + std::string(1 << 20, 'x');
  const auto out = c.FormCodeAfter({
      "OpenWindow(#Main",
      "(#",
      "CreateToolBar(",
      "UseGadgetList(",
      "SplitterGadget(#S",
      "MDIGadget(",
      "ToolBarToolTip(#T",
      "x = StatusBarHeight(",
      long_line,
      std::string("Text\0Gadget(#\0", 14),
      "\xff\xfe(#\x80",
  });
  EXPECT_TRUE(c.ok);
  EXPECT_EQ(out.size(), 11u);
  EXPECT_EQ(out[1], "(#");  // no command in front
}

TEST(InsertWindowPrefixesTest, PureBasicConstantsNeverGetAPrefix) {
  PrefixCase c;
  const auto out = c.FormCodeAfter({
      "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
      "  Text_Open = TextGadget(#PB_Any, 10, 10, 80, 24, \"Open\")",
      "  ButtonGadget(#pb_any, 10, 40, 80, 24, \"Go\")",
      "  y = StatusBarHeight(#PB_Default)",
      "  ToolBarToolTip(#TB, #PB_Any, Tip$)",
      "  SplitterGadget(#Sp, 0, 0, 200, 100, #PB_Any, #B)",
  });
  EXPECT_EQ(out, (std::vector<std::string>{
                     "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
                     "  Text_Open = TextGadget(#PB_Any, 10, 10, 80, 24, \"Open\")",
                     "  ButtonGadget(#pb_any, 10, 40, 80, 24, \"Go\")",
                     "  y = StatusBarHeight(#PB_Default)",
                     "  ToolBarToolTip(#Main_TB, #PB_Any, Tip$)",
                     "  SplitterGadget(#Main_Sp, 0, 0, 200, 100, #PB_Any, #Main_B)",
                 }));
}

}  // namespace
}  // namespace quillon::testing
