#include <gtest/gtest.h>

#include "generate/common_file.h"
#include "generate/main_file.h"
#include "generate/templates.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;

const std::string kSep = "; " + std::string(87, '*');

TEST(CommonFileTest, PartsFollowInTheirOrderWithSeparators) {
  AnalysisModel m;
  m.constants_code = L({"C1", "C2"});
  m.fonts_code = L({"F1"});
  m.images_code = L({"I1"});
  m.form_code = L({"Procedure Open_W()", "EndProcedure"});
  BuildCommonFile(m, false);
  EXPECT_EQ(m.common_file_lines, L({"; Quillon Commonfile (Do Not Edit - Allways Overwrite)", "", kSep, "", "C1", "C2",
                                    "", kSep, "", "F1", "I1", "", kSep, "", "Procedure Open_W()", "EndProcedure"}));
}

TEST(CommonFileTest, MultilangIncludesLoadLanguageBeforeTheFormCode) {
  AnalysisModel m;
  m.form_code = L({"FORM"});
  BuildCommonFile(m, true);
  EXPECT_EQ(m.common_file_lines, L({"; Quillon Commonfile (Do Not Edit - Allways Overwrite)", "", kSep, "", "", kSep,
                                    "", "", kSep, "", "IncludeFile \"LoadLanguage.pb\"", "", kSep, "", "FORM"}));
}

TEST(MainFileTest, TemplateIsFilledForTheFirstWindow) {
  AnalysisModel m;
  m.main_lines = MainTemplate();
  m.windows = L({"WinMain", "WinAbout"});
  AdjustMainFile(m);
  ASSERT_EQ(m.main_lines.size(), 80u);
  EXPECT_EQ(ToUtf8(m.main_lines[2]), ";- Quillon Main Program for Purebasic");
  EXPECT_EQ(ToUtf8(m.main_lines[40]), "  Open_WinMain()");
  EXPECT_EQ(ToUtf8(m.main_lines[42]), "  If WindowID(#WinMain)");
  Lines rest = m.main_lines;
  Lines original = MainTemplate();
  rest[40] = original[40];
  rest[42] = original[42];
  EXPECT_EQ(rest, original);  // nothing else changed
}

TEST(MainFileTest, WindowTestGetsTwoBlanksAndOnlyTheFirstOneChanges) {
  AnalysisModel m;
  m.main_lines = L({"Open_OldWin()", "\tIf WindowID(#OldWin) ; mine", "If WindowID(#Other)"});
  m.windows = L({"NewWin"});
  AdjustMainFile(m);
  EXPECT_EQ(m.main_lines, L({"Open_OldWin()", "  If WindowID(#NewWin) ; mine", "If WindowID(#Other)"}));
  // A user's line that merely contains the test's text stays as it is.
  m.main_lines = L({"If WindowID(#WinAbout)=0 : Open_WinAbout() : EndIf", "If WindowID(#A B)", "If WindowID(#Old)"});
  AdjustMainFile(m);
  EXPECT_EQ(m.main_lines,
            L({"If WindowID(#WinAbout)=0 : Open_WinAbout() : EndIf", "If WindowID(#A B)", "  If WindowID(#NewWin)"}));
}

TEST(MainFileTest, PlaceholdersBeforeTheWindowTestAreAllReplaced) {
  AnalysisModel m;
  m.main_lines = L({"  Open_WindowXY() : open_windowxy()", "x = 1", "  OPEN_WINDOWXY()", "  Open_WindowXY()",
                    "  If WindowID(#Window)", "  Open_WindowXY()"});
  m.windows = L({"W"});
  AdjustMainFile(m);
  EXPECT_EQ(m.main_lines, L({"  Open_W() : Open_W()", "x = 1", "  OPEN_WINDOWXY()", "  Open_W()", "  If WindowID(#W)",
                             "  Open_WindowXY()"}));
}

TEST(MainFileTest, WithoutWindowTestOnlyPlaceholdersChange) {
  AnalysisModel m;
  m.main_lines = L({"Open_WindowXY()", "Repeat : Until 1"});
  m.windows = L({"W"});
  AdjustMainFile(m);
  EXPECT_EQ(m.main_lines, L({"Open_W()", "Repeat : Until 1"}));
}

TEST(MainFileTest, NoWindowLeavesMainUnchanged) {
  AnalysisModel m;
  m.main_lines = MainTemplate();
  AdjustMainFile(m);
  EXPECT_EQ(m.main_lines, MainTemplate());
}

}  // namespace
}  // namespace quillon
