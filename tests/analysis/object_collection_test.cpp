#include "analysis/object_collection.h"

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"

namespace quillon::testing {
namespace {

struct Collected {
  explicit Collected(std::initializer_list<std::string> form_code, const Lines& user_gadgets = {}) : p(user_gadgets) {
    p.SetFormCode(form_code);
    ok = CollectObjects(*p.ws, p.host);
  }
  const AnalysisModel& m() const { return p.ws->analysis; }
  std::vector<std::string> GadgetNames() const {
    std::vector<std::string> out;
    for (const auto& g : m().gadgets) out.push_back(ToUtf8(g.name) + ":" + ToUtf8(g.kind));
    return out;
  }
  Step1Project p;
  bool ok = false;
};

TEST(CollectObjectsTest, RecordsEveryKindInOrder) {
  Collected c({
      "Procedure Open_Main()",
      "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
      "  CreateMenu(#Main_Menu, WindowID(#Main))",
      "  MenuTitle(\"File\")",
      "  MenuItem(#Main_Open, \"Open\")",
      "  CreatePopupImageMenu(#Main_Pop, #PB_Menu_ModernLook)",
      "  CreateStatusBar(#Main_SB, WindowID(#Main))",
      "  CreateToolBar(#Main_TB, WindowID(#Main))",
      "  ToolBarStandardButton(#Main_New, #PB_ToolBarIcon_New)",
      "  TextGadget(#Main_Label, 0, 0, 1, 1, \"x\")",
      "\tFrame3DGadget(#Main_Frame, 0, 0, 1, 1, \"\")",
      "  SetGadgetText(#Main_Label, \"y\")",
      "  If ButtonGadget(#Main_NotRecorded, 0, 0, 1, 1, \"\")",
      "  Result = ButtonGadget(#Main_NotEither, 0, 0, 1, 1, \"\")",
      "EndProcedure",
  });
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(S(c.m().windows), (std::vector<std::string>{"Main"}));
  EXPECT_EQ(S(c.m().menu_bars), (std::vector<std::string>{"Main_Menu", "Main_Pop"}));
  EXPECT_EQ(S(c.m().menu_items), (std::vector<std::string>{"Main_Open", "Main_New"}));
  EXPECT_EQ(S(c.m().status_bars), (std::vector<std::string>{"Main_SB"}));
  EXPECT_EQ(S(c.m().tool_bars), (std::vector<std::string>{"Main_TB"}));
  EXPECT_EQ(c.GadgetNames(), (std::vector<std::string>{"Main_Label:TEXTGADGET", "Main_Frame:FRAME3DGADGET"}));
  EXPECT_TRUE(c.p.host.log.empty());
}

TEST(CollectObjectsTest, MenuNamesEndAtTheParenthesisWithoutComma) {
  Collected c({"CreatePopupMenu(#Pop)", "CreateImageMenu(#Img )", "CreateMenu(#M, WindowID(#W))"});
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(S(c.m().menu_bars), (std::vector<std::string>{"Pop", "Img", "M"}));
}

TEST(CollectObjectsTest, DuplicateWindowsStopAndIgnoreCase) {
  Collected c({"OpenWindow(#Main, 0, 0, 1, 1, T$)", "OpenWindow(#Second, 0, 0, 1, 1, T$)",
               "OpenWindow(#MAIN, 0, 0, 1, 1, T$)", "OpenWindow(#Never, 0, 0, 1, 1, T$)"});
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.p.host.log, (std::vector<std::string>{" -> Error: Find duplicate WindowID(#MAIN). Stop!"}));
  EXPECT_EQ(S(c.m().windows), (std::vector<std::string>{"Main", "Second"}));
}

TEST(CollectObjectsTest, DuplicateBarsStopWithTheirOwnMessage) {
  struct Case {
    std::string first, second, message;
  };
  const Case cases[] = {
      {"CreateMenu(#W_Menu, WindowID(#W))", "CreatePopupImageMenu(#w_menu)",
       " -> Error: Find duplicate MenuID(#w_menu). Stop!"},
      {"CreateStatusBar(#W_SB, WindowID(#W))", "CreateStatusBar(#W_SB, WindowID(#W))",
       " -> Error: Find duplicate StatusBarID(#W_SB). Stop!"},
      {"CreateToolBar(#W_TB, WindowID(#W))", "CreateToolBar(#W_tb, WindowID(#W))",
       " -> Error: Find duplicate ToolBarID(#W_tb). Stop!"},
  };
  for (const Case& k : cases) {
    Collected c({k.first, k.second});
    EXPECT_FALSE(c.ok) << k.second;
    EXPECT_EQ(c.p.host.log, (std::vector<std::string>{k.message}));
  }
}

TEST(CollectObjectsTest, DuplicateMenuItemsAndButtonsAreWarnedOnce) {
  Collected c({
      "MenuItem(#Main_Open, Text$)",
      "MenuItem(#MAIN_OPEN, Text$)",
      "ToolBarImageButton(#Main_Open, ImageID(#I))",
      "ToolBarStandardButton(#Main_Save, 1)",
  });
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(S(c.m().menu_items), (std::vector<std::string>{"Main_Open", "Main_Save"}));
  EXPECT_EQ(c.p.host.log, (std::vector<std::string>{
                              " -> Warning: Find duplicate MenuItemID(#MAIN_OPEN) by MenuItem.",
                              " -> Warning: Find duplicate MenuItemID(#Main_Open) by ToolbarButton.",
                          }));
}

TEST(CollectObjectsTest, DuplicateGadgetsAreSkippedSilently) {
  Collected c({"ButtonGadget(#A_OK, 0, 0, 1, 1, \"\")", "StringGadget(#a_ok, 0, 0, 1, 1, \"\")",
               "ButtonGadget(#B_OK, 0, 0, 1, 1, \"\")"});
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(c.GadgetNames(), (std::vector<std::string>{"A_OK:BUTTONGADGET", "B_OK:BUTTONGADGET"}));
  EXPECT_TRUE(c.p.host.log.empty());
}

TEST(CollectObjectsTest, CommentedLinesAndUserGadgetsAreRecorded) {
  Collected c({"; OpenWindow(#Old, 0, 0, 1, 1, T$)", "  myChart(#W_Chart, 1, 2)", "OtherThing(#W_X, 1)"},
              L({"MyChart"}));
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(S(c.m().windows), (std::vector<std::string>{"Old"}));
  EXPECT_EQ(c.GadgetNames(), (std::vector<std::string>{"W_Chart:MYCHART"}));
}

TEST(CollectObjectsTest, FirstMatchingRuleWins) {
  // A window line that also creates a gadget counts as a window only; a menu
  // line that also names a tool bar counts as a menu.
  Collected c({"OpenWindow(#W, 0, 0, 1, 1, T$) : ButtonGadget(#W_B, 0, 0, 1, 1, \"\")",
               "CreateMenu(#W_M, WindowID(#W)) : CreateToolBar(#W_T, WindowID(#W))"});
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(S(c.m().windows), (std::vector<std::string>{"W"}));
  EXPECT_EQ(S(c.m().menu_bars), (std::vector<std::string>{"W_M"}));
  EXPECT_TRUE(c.m().tool_bars.empty());
  EXPECT_TRUE(c.m().gadgets.empty());
}

TEST(CollectObjectsTest, MalformedLinesNeverCrash) {
  Collected c({"OpenWindow(#", "CreateMenu(#", "ButtonGadget(#", "(#", ",)(#", std::string("\0(#\0", 4)});
  EXPECT_TRUE(c.ok);
  EXPECT_EQ(c.m().windows.size(), 1u);
}

TEST(CollectObjectsTest, PbAnyObjectsAreMadeAtRunTimeAndNeverRecorded) {
  Collected c({
      "; OpenWindow(#PB_Any, 0, 0, 10, 10, \"old\")",
      "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
      "  CreateMenu(#PB_Any, WindowID(#Main))",
      "  CreatePopupMenu(#PB_Any)",
      "  MenuItem(#PB_Any, \"One\")",
      "  MenuItem(#pb_any, \"Two\")",
      "  CreateStatusBar(#PB_Any, WindowID(#Main))",
      "  CreateToolBar(#PB_Any, WindowID(#Main))",
      "  ToolBarStandardButton(#PB_Any, #PB_ToolBarIcon_New)",
      "  ButtonGadget(#PB_Any, 10, 10, 80, 24, \"Go\")",
      "  ButtonGadget(#Main_Go, 10, 40, 80, 24, \"Go\")",
  });
  EXPECT_TRUE(c.ok);
  EXPECT_TRUE(c.p.host.log.empty());
  EXPECT_EQ(S(c.m().windows), (std::vector<std::string>{"Main"}));
  EXPECT_TRUE(c.m().menu_bars.empty());
  EXPECT_TRUE(c.m().menu_items.empty());
  EXPECT_TRUE(c.m().status_bars.empty());
  EXPECT_TRUE(c.m().tool_bars.empty());
  EXPECT_EQ(c.GadgetNames(), (std::vector<std::string>{"Main_Go:BUTTONGADGET"}));
}

}  // namespace
}  // namespace quillon::testing
