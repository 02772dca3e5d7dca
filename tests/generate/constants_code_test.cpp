#include "generate/constants_code.h"

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"

namespace quillon::testing {
namespace {

std::vector<std::string> Block(const std::string& title, std::initializer_list<std::string> elements) {
  std::vector<std::string> out = {title, ";", "Enumeration"};
  out.insert(out.end(), elements);
  out.push_back("EndEnumeration");
  out.push_back("");
  return out;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> blocks) {
  std::vector<std::string> out;
  for (const auto& b : blocks) out.insert(out.end(), b.begin(), b.end());
  return out;
}

TEST(BuildConstantsCodeTest, EightBlocksEvenWhenEmpty) {
  Step1Project p;
  BuildConstantsCode(*p.ws);
  EXPECT_EQ(
      S(p.ws->analysis.constants_code),
      Concat({Block(";- Window Constants", {}), Block(";- Menubar Constants", {}), Block(";- MenuItem Constants", {}),
              Block(";- Gadget Constants", {}), Block(";- StatusBar Constants", {}), Block(";- ToolBar Constants", {}),
              Block(";- Font Constants", {}), Block(";- Image Constants", {})}));
}

TEST(BuildConstantsCodeTest, ElementsInListOrderWithNumbersAsWritten) {
  Step1Project p;
  AnalysisModel& m = p.ws->analysis;
  m.windows = L({"Main", "Dlg"});
  m.menu_bars = L({"Main_Menu"});
  m.menu_items = L({"Main_Open", "Main_Save"});
  m.gadgets = {{"Main_OK", "BUTTONGADGET"}, {"Main_Label", "TEXTGADGET"}};
  m.status_bars = L({"Main_SB"});
  m.tool_bars = L({"Dlg_TB"});
  m.fonts = {{"#Big", "LoadFont(#Big, \"A\", 9)"}, {"3", "LoadFont(3, \"B\", 9)"}};
  m.images = {{"#Logo", "l.png"}, {"#MyImage_0", "x.png"}};
  BuildConstantsCode(*p.ws);
  EXPECT_EQ(
      S(m.constants_code),
      Concat({Block(";- Window Constants", {"  #Main", "  #Dlg"}), Block(";- Menubar Constants", {"  #Main_Menu"}),
              Block(";- MenuItem Constants", {"  #Main_Open", "  #Main_Save"}),
              Block(";- Gadget Constants", {"  #Main_OK", "  #Main_Label"}),
              Block(";- StatusBar Constants", {"  #Main_SB"}), Block(";- ToolBar Constants", {"  #Dlg_TB"}),
              Block(";- Font Constants", {"  #Big", "  3"}),
              Block(";- Image Constants", {"  #Logo", "  #MyImage_0"})}));
}

}  // namespace
}  // namespace quillon::testing
