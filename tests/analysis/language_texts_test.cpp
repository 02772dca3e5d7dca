#include "analysis/language_texts.h"

#include <sys/stat.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "analysis/step1_test_support.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

std::vector<std::string> Keys(const LanguageMap& map) {
  std::vector<std::string> keys;
  map.ForEach([&keys](const Text& key, const Text& value) { keys.push_back(ToUtf8(key) + "=" + ToUtf8(value)); });
  std::sort(keys.begin(), keys.end());
  return keys;
}

TEST(InsertLanguageCallsTest, WrapsTheFirstLiteralOfEligibleLines) {
  Step1Project p;
  const std::string long_tail = ", " + std::string(300, 'z') + ")";
  p.SetFormCode({
      "  ButtonGadget(#Main_OK, 10, 10, 80, 24, \"OK\", \"second\")",
      "  OpenWindow(#Main, 0, 0, 1, 1, \"Title\")",
      "  img = LoadImage(#I, \"a.png\") : x = CatchImage(#J, ?d)",
      "  MenuItem(#M, \"Open\" + #TAB$ + \"Ctrl+O\")",
      "  SetGadgetText(#T, \"\")",
      "  TextGadget(#T, 0, 0, 1, 1, \"unclosed)",
      "  Debug 1",
      "  StringGadget(#S, 0, 0, 1, 1, \"x\"" + long_tail,
  });
  InsertLanguageCalls(*p.ws);
  EXPECT_EQ(p.FormCode(), (std::vector<std::string>{
                              "  ButtonGadget(#Main_OK, 10, 10, 80, 24, MyLanguage(\"OK\"), \"second\")",
                              "  OpenWindow(#Main, 0, 0, 1, 1, \"Title\")",
                              "  img = LoadImage(#I, \"a.png\") : x = CatchImage(#J, ?d)",
                              "  MenuItem(#M, MyLanguage(\"Open\") + #TAB$ + \"Ctrl+O\")",
                              "  SetGadgetText(#T, MyLanguage(\"\"))",
                              "  TextGadget(#T, 0, 0, 1, 1, \"unclosed)",
                              "  Debug 1",
                              "  StringGadget(#S, 0, 0, 1, 1, MyLanguage(\"x\")" + long_tail,
                          }));
}

TEST(CollectLanguageTextsTest, FirstQuotedTextOfMyLanguageLines) {
  Step1Project p;
  p.ws->analysis.language_strings.Set("Known", "Bekannt");
  CollectLanguageTexts(*p.ws, L({
                                  "x = MyLanguage(\"Hello\")",
                                  "y = mylanguage(\"Hello\") + MyLanguage(\"World\")",
                                  "Debug \"first\" + MyLanguage(\"ignored\")",
                                  "MyLanguage(\"\")",
                                  "MyLanguage(\"Known\")",
                                  "MyLanguage(\"unclosed",
                                  "Plain(\"not collected\")",
                              }));
  EXPECT_EQ(Keys(p.ws->analysis.language_strings),
            (std::vector<std::string>{"Hello=Hello", "Known=Bekannt", "first=first"}));
}

TEST(CollectLanguageStringsTest, FormCodeGeneratedFilesAndIncludeFiles) {
  Step1Project p;
  AnalysisModel& m = p.ws->analysis;
  m.form_code = L({"TextGadget(#A, 0, 0, 1, 1, MyLanguage(\"Form\"))"});
  m.main_lines = L({"MessageRequester(MyLanguage(\"Main\"), \"\")"});
  m.event_menu_lines = L({"MyLanguage(\"Menu\")"});
  m.event_gadget_lines = L({"MyLanguage(\"Gadget\")"});
  m.event_window_lines = L({"MyLanguage(\"Window\")", "MyLanguage(\"Form\")"});
  m.event_designer_lines = L({"MyLanguage(\"Designer\")"});
  p.Write("Tools.pbi", {"Debug MyLanguage(\"Include\")"});
  WriteBytes(p.dir.File("Marked.pbi"),
             "\xEF\xBB\xBF"
             "Debug MyLanguage(\"\xC3\xA4\")\n");
  m.include_files = {p.dir.TextPath("Tools.pbi"), p.dir.TextPath("Missing.pbi"), p.dir.TextPath("Marked.pbi")};
  CollectLanguageStrings(*p.ws, p.host);
  EXPECT_EQ(Keys(m.language_strings),
            (std::vector<std::string>{"Designer=Designer", "Form=Form", "Gadget=Gadget", "Include=Include", "Main=Main",
                                      "Menu=Menu", "Window=Window", "\xC3\xA4=\xC3\xA4"}));
  EXPECT_EQ(p.host.log,
            (std::vector<std::string>{" -> Error OpenFile " + p.dir.File("Missing.pbi") + " / Errorcode: 1"}));
  // Include files are only read: a missing one is not created.
  EXPECT_FALSE(FileExists(p.dir.File("Missing.pbi")));
}

TEST(CollectLanguageStringsTest, ReadOnlyIncludeFileIsStillRead) {
  Step1Project p;
  p.Write("Locked.pbi", {"MyLanguage(\"Locked\")"});
  ::chmod(p.dir.File("Locked.pbi").c_str(), 0444);
  p.ws->analysis.include_files = {p.dir.TextPath("Locked.pbi")};
  CollectLanguageStrings(*p.ws, p.host);
  EXPECT_TRUE(p.host.log.empty());
  EXPECT_TRUE(p.ws->analysis.language_strings.Contains("Locked"));
}

}  // namespace
}  // namespace quillon::testing
