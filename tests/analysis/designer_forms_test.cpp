// Step 1 on the designer forms (.pbf) of the shared corpus: #PB_Any objects
// become constants, the header is carried instead of copied, and every
// constant the form code names is defined once.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "analysis/code_words.h"
#include "analysis/constant_tokens.h"
#include "analysis/step1.h"
#include "analysis/step1_test_support.h"
#include "io/file_io.h"
#include "text/encoding.h"
#include "support/corpus.h"

namespace quillon::testing {
namespace {

const std::string kForms = CorpusFormsFolder();

std::vector<std::string> DesignerForms() { return CorpusFormNames(/*designer_only=*/true); }

// Upper-cased names that the lines define (Enumeration members, "#X =").
void AddDefinitions(const Lines& lines, std::multiset<std::string>* defined) {
  ConstantDefinitions definitions;
  ConstantToken token;
  for (const Text& line : lines) {
    if (definitions.Find(line, &token)) defined->insert(ToUtf8(Upper(token.Name(line))));
  }
}

bool Contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), FromUtf8(line)) != lines.end();
}

TEST(DesignerFormsTest, EveryCorpusFormBecomesAConstantFormWhoseConstantsAreDefinedOnce) {
  const std::vector<std::string> forms = DesignerForms();
  if (forms.empty()) GTEST_SKIP() << "no corpus at " << kForms;
  EXPECT_EQ(forms.size(), 38u);
  size_t pb_any_forms = 0;
  for (const bool switches_on : {false, true}) {
    for (const std::string& name : forms) {
      SCOPED_TRACE(name + (switches_on ? " (switches on)" : ""));
      Step1Project p;
      Switches& s = p.ws->project.switches;
      if (switches_on) s.parend = s.pb_ignore = s.multilang = s.image_null = 1;
      p.host.file_list = {FromUtf8(kForms + name)};
      ASSERT_TRUE(RunStep1(*p.ws, p.host)) << p.host.log.back();
      const AnalysisModel& m = p.ws->analysis;
      ASSERT_FALSE(m.windows.empty());
      // The header (comments, Enumerations, Declares) is no procedure.
      Text word;
      FirstWordUpper(m.form_code.front(), &word);
      EXPECT_EQ(word.rfind("PROCEDURE", 0), 0u) << ToUtf8(m.form_code.front());

      // No object is left to be numbered at run time ...
      PbAnyAssignment any;
      for (const Text& line : m.form_code) {
        const bool left = MatchPbAnyAssignment(line, &any) &&
                          (p.ws->keywords.gadget_keywords.count(Upper(any.command)) > 0 ||
                           Upper(any.command) == "OPENWINDOW" || Upper(any.command) == "CREATESTATUSBAR");
        EXPECT_FALSE(left) << ToUtf8(line);
      }
      // ... and each converted one hands its number to its variable.
      if (!m.pb_any_objects.empty() && !switches_on) ++pb_any_forms;
      for (const Text& object : m.pb_any_objects) {
        const bool tail = std::any_of(m.form_code.begin(), m.form_code.end(),
                                      [&object](const Text& line) { return line.find(" = #" + object) != Text::npos; });
        EXPECT_TRUE(tail) << ToUtf8(object);
      }

      // Every Global and Declare of the header is carried.
      TextFile source;
      ASSERT_TRUE(ReadTextFile(kForms + name, &source));
      for (const Text& line : source.lines) {
        FirstWordUpper(line, &word);
        const bool declaration = word == "GLOBAL" || word.rfind("DECLARE", 0) == 0;
        EXPECT_TRUE(!declaration || Contains(m.carried_declarations, ToUtf8(line))) << ToUtf8(line);
      }

      // Each constant is defined once, and the form code names only those.
      std::multiset<std::string> defined;
      for (const Lines* lines : {&m.constants_code, &m.carried_declarations, &m.form_code})
        AddDefinitions(*lines, &defined);
      for (const std::string& constant : defined) EXPECT_EQ(defined.count(constant), 1u) << "#" << constant;
      // The language's own constants without "PB_".
      for (const char* own : {"TRUE", "FALSE", "NULL"}) defined.insert(own);
      std::vector<ConstantToken> tokens;
      for (const Text& line : m.form_code) {
        tokens.clear();
        FindConstantTokens(line, &tokens);
        for (const ConstantToken& token : tokens) {
          if (token.string_constant || IsPureBasicConstantName(token.Name(line))) continue;
          EXPECT_EQ(defined.count(ToUtf8(Upper(token.Name(line)))), 1u)
              << "#" << ToUtf8(token.Name(line)) << " in " << ToUtf8(line);
        }
      }
    }
  }
  EXPECT_GE(pb_any_forms, 25u);
}

// What a few real forms become, line by line.
TEST(DesignerFormsTest, RealFormsLineByLine) {
  struct Row {
    const char* form;
    enum { kFormCode, kCarried, kNotCarried, kPbAnyObject, kImage } where;
    const char* line;
  };
  const Row rows[] = {
      // The menu item and the events procedure's comparison agree.
      {"Olim98__UzOnlineStat__MainForm.pbf", Row::kFormCode, "        Case #Window_0_MenuItem_3"},
      {"Olim98__UzOnlineStat__MainForm.pbf", Row::kNotCarried, "  #MenuItem_3"},
      {"nueh__CiphersaberGUI__MainWindow.pbf", Row::kFormCode,
       "  OpenWindow(#Window_Main, x, y, width, height, \"Ciphersaber\", #PB_Window_SystemMenu) : "
       "Window_Main = #Window_Main"},
      {"nueh__CiphersaberGUI__MainWindow.pbf", Row::kFormCode,
       "  AddKeyboardShortcut(#Window_Main, #PB_Shortcut_Command | #PB_Shortcut_W, 1)"},
      {"nueh__CiphersaberGUI__MainWindow.pbf", Row::kFormCode,
       "  EditorGadget(#Window_Main_String_Output, 20, 340, 514, 250, #PB_Editor_ReadOnly) : "
       "String_Output = #Window_Main_String_Output"},
      {"nueh__CiphersaberGUI__MainWindow.pbf", Row::kFormCode,
       "  SetGadgetFont(#Window_Main_String_Output, FontID(#Font_Window_Main_0))"},
      {"nueh__CiphersaberGUI__MainWindow.pbf", Row::kPbAnyObject, "Window_Main_Combo_Rounds"},
      {"Chregu73__Nadir-3D__Bedienung.pbf", Row::kCarried, "Img_WindowBedienung_8 = #Img_WindowBedienung_8"},
      {"Chregu73__Nadir-3D__Bedienung.pbf", Row::kImage, "#Img_WindowBedienung_8"},
      // A procedure named like its button stays a call.
      {"Chregu73__Nadir-3D__Bedienung.pbf", Row::kFormCode, "        Case #WindowBedienung_Zp10"},
      {"Chregu73__Nadir-3D__Bedienung.pbf", Row::kFormCode, "          Zp10(EventType())          "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.form) + ": " + row.line);
    if (!IsDirectory(kForms)) GTEST_SKIP() << "no corpus at " << kForms;
    Step1Project p;
    p.host.file_list = {FromUtf8(kForms + row.form)};
    ASSERT_TRUE(RunStep1(*p.ws, p.host));
    const AnalysisModel& m = p.ws->analysis;
    Lines images;
    for (const ImageRecord& image : m.images) images.push_back(image.number);
    const Lines* const lists[] = {&m.form_code, &m.carried_declarations, &m.carried_declarations, &m.pb_any_objects,
                                  &images};
    EXPECT_EQ(Contains(*lists[row.where], row.line), row.where != Row::kNotCarried);
  }
}

// The shapes a hand-edited designer file brings that the corpus lacks.
TEST(DesignerFormsTest, HandEditedShapes) {
  Step1Project p;
  p.Write("First.pbf", {"Procedure Nothing() : EndProcedure", "Procedure OpenMain()",
                        "  OpenWindow(#Main, 0, 0, 9, 9, \"\")", "EndProcedure"});
  p.Write("Second.pbf", {
                            "; Event procedures need to be put in another source file.",
                            "Global Logo, Big",
                            "UsePNGImageDecoder()",
                            "UseTGAImageDecoder()",
                            "Logo = LoadImage(#PB_Any, \"logo.png\")",
                            "  Big = LoadFont(#PB_Any, \"Mono\", 20)   ; title",
                            "CatchImage(#Icon, ?Icon)",
                            "CompilerIf #PB_Compiler_OS = #PB_OS_Linux",
                            "  Declare Hidden()",
                            "CompilerEndIf",
                            "Structure Point2 : x.i : y.i : EndStructure",
                            "Enumeration : #Win : EndEnumeration",
                            "Enumeration #PB_Compiler_EnumerationValue : #Mode : EndEnumeration",
                            "DataSection",
                            "  Icon: : IncludeBinary \"icon.ico\"",
                            "EndDataSection",
                            "InitNetwork()",
                            "Procedure ResizeGadgetsWin()",
                            "  ResizeGadget(Img, 0, 0, WindowWidth(Win), 9) ; ProcedureReturn",
                            "EndProcedure",
                            "Procedure OpenWin()",
                            "  Win = OpenWindow(#PB_Any, 0, 0, 9, 9, \"\")\t; the window",
                            "  Img = ImageGadget(#PB_Any, 0, 0, 9, 9, ImageID(Logo))",
                            "  SetGadgetData(Img, *Img + Img\\x + p\\Img + x.Img + Img$ + @Img) : Img(1)",
                            "EndProcedure",
                        });
  p.host.file_list = L({"First.pbf", "Second.pbf"});
  p.ws->project.switches.image_null = 1;
  ASSERT_TRUE(RunStep1(*p.ws, p.host));
  const AnalysisModel& m = p.ws->analysis;
  EXPECT_EQ(S(m.carried_declarations), (std::vector<std::string>{
                                           "Global Logo, Big",
                                           "UseTGAImageDecoder()",
                                           "Logo = #Logo",
                                           "CatchImage(#Icon, ?Icon)",
                                           "Structure Point2 : x.i : y.i : EndStructure",
                                           "Enumeration #PB_Compiler_EnumerationValue : #Mode : EndEnumeration",
                                           "DataSection",
                                           "  Icon: : IncludeBinary \"icon.ico\"",
                                           "EndDataSection",
                                       }));
  ASSERT_EQ(m.fonts.size(), 1u);
  EXPECT_EQ(ToUtf8(m.fonts[0].line), "  LoadFont(#Big, \"Mono\", 20) : Big = #Big");
  EXPECT_EQ(S(m.pb_any_objects), (std::vector<std::string>{"Win", "Win_Img"}));
  const std::vector<std::string> code = p.FormCode();
  ASSERT_EQ(code.size(), 4u + 6u + 6u + 8u);
  // The helper before the window resizes this file's window's gadget.
  EXPECT_EQ(code[11], "  ResizeGadget(#Win_Img, 0, 0, WindowWidth(#Win), 9) ; ProcedureReturn");
  EXPECT_EQ(code[17], "  OpenWindow(#Win, 0, 0, 9, 9, \"\") : Win = #Win\t; the window");
  EXPECT_EQ(code[18], "  ImageGadget(#Win_Img, 0, 0, 9, 9, 0) : Img = #Win_Img");
  EXPECT_EQ(code[19], "  SetGadgetData(#Win_Img, *Img + Img\\x + p\\Img + x.Img + Img$ + @Img) : Img(1)");
  EXPECT_TRUE(std::any_of(m.images.begin(), m.images.end(), [](const ImageRecord& image) {
    return image.number == "#Logo" && image.file == "logo.png";
  }));
}

}  // namespace
}  // namespace quillon::testing
