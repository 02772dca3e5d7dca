#include "analysis/source_loading.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"
#include "text/encoding.h"

namespace quillon::testing {
namespace {

const std::string kSeparator = "; " + std::string(87, '*');

TEST(CheckMainFileTest, ReportsTheMarkOfMainPb) {
  struct Case {
    std::string bytes;
    int code;
  };
  const Case cases[] = {
      {"x\n", kFormatAscii},
      {"\xEF\xBB\xBFx\n", kFormatUtf8},
      {"\xFF\xFEx\0", kFormatUtf16Le},
      {"\xFE\xFF\0x", kFormatUtf16Be},
      {std::string("\xFF\xFE\0\0", 4), kFormatUtf32Le},
      {std::string("\0\0\xFE\xFF", 4), kFormatUtf32Be},
      {"", kFormatAscii},
  };
  for (const Case& k : cases) {
    Step1Project p;
    WriteBytes(p.dir.File("Main.pb"), k.bytes);
    EXPECT_EQ(CheckMainFile(*p.ws), k.code);
  }
  Step1Project missing;
  EXPECT_EQ(CheckMainFile(*missing.ws), kFormatUnreadable);
}

TEST(ChooseOutputFormatTest, Utf8MarkOrSwitch) {
  Switches on;
  on.utf8 = 1;
  const Switches off;
  EXPECT_EQ(ChooseOutputFormat(kFormatUtf8, off), kOutputUtf8);
  EXPECT_EQ(ChooseOutputFormat(kFormatUtf8, on), kOutputUtf8);
  EXPECT_EQ(ChooseOutputFormat(kFormatAscii, on), kOutputUtf8);
  EXPECT_EQ(ChooseOutputFormat(kFormatAscii, off), kOutputAscii);
  EXPECT_EQ(ChooseOutputFormat(kFormatUtf16Le, off), kOutputAscii);
  EXPECT_EQ(ChooseOutputFormat(kFormatUnreadable, on), kOutputUtf8);
}

TEST(ReadSourceFilesTest, ProceduresWithSeparatorsImagesAndFontsOutside) {
  Step1Project p;
  p.Write("Form.pb", {
                         "; header",
                         "LoadImage(#Logo, \"logo.png\")",
                         "  LoadFont(#Big, \"Arial\", 20)",
                         "; LoadImage(#Old, \"old.png\")",
                         "Global x = 1 ; LoadFont(#Commented, \"a\", 1)",
                         "Procedure Open_Main()",
                         "  LoadImage(#Inner, \"inner.png\")",
                         "  OpenWindow(#Main, 0, 0, 1, 1, \"T\")",
                         "EndProcedure",
                         "LoadImage(#After, \"after.bmp\") ; after",
                         "Procedure Two() : EndProcedure",
                     });
  p.ws->analysis.source_files = L({"Form.pb"});
  ReadSourceFiles(*p.ws);
  const AnalysisModel& m = p.ws->analysis;
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              "Procedure Open_Main()",
                              "  LoadImage(#Inner, \"inner.png\")",
                              "  OpenWindow(#Main, 0, 0, 1, 1, \"T\")",
                              "EndProcedure",
                              "",
                              kSeparator,
                              "",
                              "Procedure Two() : EndProcedure",
                              "",
                              kSeparator,
                              "",
                          }));
  ASSERT_EQ(m.images.size(), 2u);
  EXPECT_EQ(ToUtf8(m.images[0].number), "#Logo");
  EXPECT_EQ(ToUtf8(m.images[0].file), "logo.png");
  EXPECT_EQ(ToUtf8(m.images[1].number), "#After");
  EXPECT_EQ(ToUtf8(m.images[1].file), "after.bmp");
  ASSERT_EQ(m.fonts.size(), 1u);
  EXPECT_EQ(ToUtf8(m.fonts[0].number), "#Big");
  EXPECT_EQ(ToUtf8(m.fonts[0].line), "  LoadFont(#Big, \"Arial\", 20)");
}

TEST(ReadSourceFilesTest, FileWithoutProceduresGivesOnlyImagesAndFonts) {
  Step1Project p;
  p.Write("Res.pb", {"img = LoadImage( 3 , \"a.jpg\")", "LoadFont(7,\"Mono\",9)"});
  p.ws->analysis.source_files = L({"Res.pb"});
  ReadSourceFiles(*p.ws);
  EXPECT_TRUE(p.ws->analysis.form_code.empty());
  ASSERT_EQ(p.ws->analysis.images.size(), 1u);
  EXPECT_EQ(ToUtf8(p.ws->analysis.images[0].number), " 3 ");  // not trimmed
  ASSERT_EQ(p.ws->analysis.fonts.size(), 1u);
  EXPECT_EQ(ToUtf8(p.ws->analysis.fonts[0].number), "7");
}

TEST(ReadSourceFilesTest, DesignerFilesGetTheirReplacementsOnlyInProcedures) {
  const std::initializer_list<std::string> source = {
      "CreateMenu(0, WindowID(#Window_0))",
      "Procedure OpenWindow_0(x = 0, y = 0)",
      "  CreateMenu(0, WindowID(#Window_0))",
      "  createtoolbar(0, WindowID(#Window_0))",
      "  ToolBarToolTip(0, 1, \"x\")",
      "  y = ToolBarHeight(0) + StatusBarHeight(0)",
      "  CreateStatusBar(0, WindowID(#Window_0))",
      "  StatusBarText(0, 0, \"a\") : StatusBarImage(0, 1, 0) : StatusBarProgress(0, 2, 5)",
      "  GetToolBarButtonState(0, 1) : SetToolBarButtonState(0, 1, 1)",
      "EndProcedure",
      "Procedure Open_Main()",
      "EndProcedure",
  };
  Step1Project p;
  p.Write("Form.PBF", source);
  p.Write("Form.pb", source);
  p.ws->analysis.source_files = L({"Form.PBF", "Form.pb"});
  ReadSourceFiles(*p.ws);
  const auto code = p.FormCode();
  ASSERT_EQ(code.size(), 2u * 17);
  EXPECT_EQ(std::vector<std::string>(code.begin(), code.begin() + 9),
            (std::vector<std::string>{
                "Procedure Open_Window_0(x = 0, y = 0)",
                "  CreateMenu(#Menu, WindowID(#Window_0))",
                "  CreateToolbar(#ToolBar, WindowID(#Window_0))",
                "  ToolBarToolTip(#ToolBar, 1, \"x\")",
                "  y = ToolBarHeight(#ToolBar) + StatusBarHeight(#StatusBar)",
                "  CreateStatusBar(#StatusBar, WindowID(#Window_0))",
                "  StatusBarText(#StatusBar, 0, \"a\") : StatusBarImage(#StatusBar, 1, 0) : "
                "StatusBarProgress(#StatusBar, 2, 5)",
                "  GetToolBarButtonState(#ToolBar, 1) : SetToolBarButtonState(#ToolBar, 1, 1)",
                "EndProcedure",
            }));
  EXPECT_EQ(code[12], "Procedure Open__Main()");
  // The same lines in a ".pb" file stay as they are.
  EXPECT_EQ(code[17], "Procedure OpenWindow_0(x = 0, y = 0)");
  EXPECT_EQ(code[18], "  CreateMenu(0, WindowID(#Window_0))");
  EXPECT_EQ(code[29], "Procedure Open_Main()");
}

TEST(ReadSourceFilesTest, EachFileInItsDetectedFormat) {
  Step1Project p;
  const std::string text =
      "Procedure Open_Main()\r\n  TextGadget(#T, 0, 0, 1, 1, \"\xC3\xA4\xE2\x82\xAC\")\rEndProcedure";
  Lines expected_lines = DecodeLines(text, kFormatUtf8);
  std::string utf16;
  for (size_t i = 0, len; i < text.size(); i += len) {
    char32_t c = 0;
    len = static_cast<size_t>(CodePointAt(text, i, &c));
    utf16.push_back(static_cast<char>(c & 0xFF));
    utf16.push_back(static_cast<char>(c >> 8));
  }
  WriteBytes(p.dir.File("u16.pb"), "\xFF\xFE" + utf16);
  WriteBytes(p.dir.File("u16nomark.pb"), utf16);
  WriteBytes(p.dir.File("u8.pb"), "\xEF\xBB\xBF" + text);
  WriteBytes(p.dir.File("plain.pb"), text);
  p.ws->analysis.source_files = L({"u16.pb", "u16nomark.pb", "u8.pb", "plain.pb"});
  ReadSourceFiles(*p.ws);
  const auto code = p.FormCode();
  ASSERT_EQ(code.size(), 18u);  // the mark-less UTF-16 file has no recognisable procedure
  EXPECT_EQ(code[1], "  TextGadget(#T, 0, 0, 1, 1, \"\xC3\xA4\xE2\x82\xAC\")");
  EXPECT_EQ(code[7], code[1]);
  // Without a mark, valid UTF-8 is read as UTF-8 while the output is UTF-8...
  EXPECT_EQ(code[13], code[1]);
  // ...and one byte per character while it is single-byte.
  p.ws->analysis.form_code.clear();
  p.ws->analysis.output_format = kOutputAscii;
  ReadSourceFiles(*p.ws);
  EXPECT_EQ(p.ws->analysis.form_code[13], "  TextGadget(#T, 0, 0, 1, 1, \"\u00C3\u00A4\u00E2\u0082\u00AC\")");
}

TEST(ReadSourceFilesTest, RelativeItemsOpenInTheProjectFolderAndMissingFilesAreSkipped) {
  Step1Project p;
  ::mkdir(p.dir.File("Forms").c_str(), 0700);
  p.Write("Forms/A.pb", {"Procedure A()", "EndProcedure"});
  TempDir elsewhere;
  WriteBytes(elsewhere.File("B.pb"), "Procedure B()\nEndProcedure\n");
  p.ws->analysis.source_files = L({"Forms/A.pb", "missing.pb", elsewhere.File("B.pb")});
  ReadSourceFiles(*p.ws);
  const auto code = p.FormCode();
  ASSERT_EQ(code.size(), 10u);
  EXPECT_EQ(code[0], "Procedure A()");
  EXPECT_EQ(code[5], "Procedure B()");
  EXPECT_EQ(S(p.ws->analysis.source_files)[0], "Forms/A.pb");  // the item stays as written
}

TEST(ReadSourceFilesTest, BadInputNeverCrashes) {
  Step1Project p;
  std::string nasty = "Procedure X()\nLoadImage(\n\"unclosed\n";
  nasty += std::string("Text\0Gadget(#\0, 1)\n", 19);
  nasty += "\xC3\x28\xFF\xFE invalid utf8 (#\n";
  nasty += "EndProcedure\nLoadImage(\"\nLoadFont(\nLoadImage(#A, \"x\nLoadImage(\xFF,\"\xFE\")\n";
  nasty += "Procedure Big()\n" + std::string(1 << 20, 'q') + "\n";
  WriteBytes(p.dir.File("nasty.pbf"), nasty);
  p.ws->analysis.source_files = L({"nasty.pbf"});
  ReadSourceFiles(*p.ws);
  EXPECT_EQ(p.ws->analysis.images.size(), 3u);
  EXPECT_EQ(p.ws->analysis.fonts.size(), 1u);
  EXPECT_EQ(p.ws->analysis.form_code.back().size(), 1u << 20);
  // Without a mark every byte is one character.
  EXPECT_EQ(p.ws->analysis.images[2].file, "\u00FE");
}

}  // namespace
}  // namespace quillon::testing
