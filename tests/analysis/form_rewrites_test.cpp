#include "analysis/form_rewrites.h"

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"

namespace quillon::testing {
namespace {

TEST(SetParentWindowsTest, LaterWindowsGetTheFirstAsParent) {
  Step1Project p;
  p.SetFormCode({
      "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
      "  OpenWindow(#Win2, 0, 0, 300, 200, Title$)",
      "  If OpenWindow(#Win3, 0, 0, 300, 200, \"T\", #PB_Window_SystemMenu) ; comment",
      "  OpenWindow(#Win4, 0, 0, 300, 200, \"T\", #Flags, WindowID(#Old))",
      "; OpenWindow(#Win5, 0, 0, 300, 200, \"A, B\", #Flags)",
  });
  SetParentWindows(*p.ws);
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              "  OpenWindow(#Main, 0, 0, 400, 300, Title$)",
                              "  OpenWindow(#Win2, 0, 0, 300, 200, Title$, PB_Any, WindowID(#Main))",
                              "  If OpenWindow(#Win3, 0, 0, 300, 200, \"T\", #PB_Window_SystemMenu, WindowID(#Main)) "
                              "; comment",
                              "  OpenWindow(#Win4, 0, 0, 300, 200, \"T\", #Flags, WindowID(#Main))",
                              // The comma of the title splits it; the flags beyond field 7 are dropped.
                              "; OpenWindow(#Win5, 0, 0, 300, 200, \"A, B\", WindowID(#Main))",
                          }));
}

TEST(SetParentWindowsTest, LongTailIsKeptWhole) {
  Step1Project p;
  const std::string tail = " ; " + std::string(400, 'x');
  p.SetFormCode({"OpenWindow(#Main, 0, 0, 1, 1, T$)", "OpenWindow(#Two, 0, 0, 1, 1, T$)" + tail});
  SetParentWindows(*p.ws);
  EXPECT_EQ(p.FormCode()[1], "OpenWindow(#Two, 0, 0, 1, 1, T$, PB_Any, WindowID(#Main))" + tail);
}

TEST(SetParentWindowsTest, LineWithoutClosingParenthesisStaysUnchanged) {
  Step1Project p;
  p.SetFormCode({"OpenWindow(#Main, 0, 0, 1, 1, T$)", "OpenWindow(#Two, 0, 0, 1, 1, \"Title\","});
  SetParentWindows(*p.ws);
  EXPECT_EQ(p.FormCode()[1], "OpenWindow(#Two, 0, 0, 1, 1, \"Title\",");
}

TEST(SetAutomaticPositionsTest, XAndYBecomeIgnoreForEveryWindow) {
  Step1Project p;
  const std::string tail = std::string(300, 'y') + ")";
  p.SetFormCode({
      "OpenWindow(#Main, 10, 20, 400, 300, Title$)",
      "  openwindow(#Two,1,2,3,4,T$)",
      "OpenWindow(#Three, 1, 2, " + tail,
      "ButtonGadget(#B, 1, 2, 3, 4, \"\")",
  });
  SetAutomaticPositions(*p.ws);
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              "OpenWindow(#Main, #PB_Ignore, #PB_Ignore, 400, 300, Title$)",
                              "  openwindow(#Two, #PB_Ignore, #PB_Ignore,3,4,T$)",
                              "OpenWindow(#Three, #PB_Ignore, #PB_Ignore, " + tail,
                              "ButtonGadget(#B, 1, 2, 3, 4, \"\")",
                          }));
}

TEST(ConvertMenuTabsTest, TabMarksOfMenuItemsOnly) {
  Step1Project p;
  p.SetFormCode({
      R"(  MenuItem(#M_Open, "&Open\tCtrl+O"))",
      R"(  menuitem(#M_A, "a\tb\tc"))",
      R"(  TextGadget(#T, 0, 0, 1, 1, "a\tb"))",
  });
  ConvertMenuTabs(*p.ws);
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              R"(  MenuItem(#M_Open, "&Open" + #TAB$ + "Ctrl+O"))",
                              R"(  menuitem(#M_A, "a" + #TAB$ + "b" + #TAB$ + "c"))",
                              R"(  TextGadget(#T, 0, 0, 1, 1, "a\tb"))",
                          }));
}

TEST(SetImageGadgetsToZeroTest, ImageArgumentBecomesZero) {
  Step1Project p;
  p.SetFormCode({
      "ImageGadget(#Main_Img, 5, 5, 64, 64, ImageID(#Pic))",
      "  ImageGadget(#Main_Img2, 5, 5, 64, 64, ImageID(#Pic), #PB_Image_Border) ; c",
      "ImageGadget(#Main_Img3,5,5,64,64,ImageID(#Pic))",
      "ImageID(#Pic)",
  });
  SetImageGadgetsToZero(*p.ws);
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              "ImageGadget(#Main_Img, 5, 5, 64, 64, 0)",
                              "  ImageGadget(#Main_Img2, 5, 5, 64, 64, 0)",
                              // Cut after the character that follows the fifth comma.
                              "ImageGadget(#Main_Img3,5,5,64,64,I0)",
                              "ImageID(#Pic)",
                          }));
}

TEST(FormRewritesTest, MalformedLinesNeverCrash) {
  Step1Project p;
  p.SetFormCode({"OpenWindow(#", "OpenWindow(#A", ")OpenWindow(#B(", "ImageGadget(#", "MenuItem(#\\t",
                 std::string(1 << 20, ',') + "OpenWindow(#X"});
  SetParentWindows(*p.ws);
  SetAutomaticPositions(*p.ws);
  ConvertMenuTabs(*p.ws);
  SetImageGadgetsToZero(*p.ws);
  EXPECT_EQ(p.ws->analysis.form_code.size(), 6u);
  EXPECT_EQ(p.FormCode()[4], "MenuItem(#\" + #TAB$ + \"");
}

}  // namespace
}  // namespace quillon::testing
