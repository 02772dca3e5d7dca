#include "analysis/reference_prefixes.h"

#include <gtest/gtest.h>

#include "analysis/object_collection.h"
#include "analysis/step1_test_support.h"
#include "analysis/window_prefixes.h"

namespace quillon::testing {
namespace {

// The form code after the prefix pass, the object collection and the
// reference pass, as Step 1 runs them.
std::vector<std::string> Prefixed(const std::vector<std::string>& form_code) {
  Step1Project p;
  for (const std::string& line : form_code) p.ws->analysis.form_code.push_back(FromUtf8(line));
  EXPECT_TRUE(InsertWindowPrefixes(*p.ws, p.host));
  EXPECT_TRUE(CollectObjects(*p.ws, p.host));
  PrefixObjectReferences(*p.ws);
  return p.FormCode();
}

// Each row: a form-code line and, when the passes change it, what it becomes.
struct Row {
  Row(const char* unchanged) : line(unchanged) {}
  Row(const char* before, const char* after) : line(before), becomes(after) {}
  std::string line;
  std::string becomes;
};

void ExpectPrefixed(std::initializer_list<Row> rows) {
  std::vector<std::string> lines;
  std::vector<std::string> expected;
  for (const Row& row : rows) {
    lines.push_back(row.line);
    expected.push_back(row.becomes.empty() ? row.line : row.becomes);
  }
  EXPECT_EQ(Prefixed(lines), expected);
}

TEST(PrefixObjectReferencesTest, EveryReferenceOfAWindowsCodeGetsItsPrefix) {
  ExpectPrefixed({
      {"Procedure Open_Main()"},
      {"  OpenWindow(#Main, 0, 0, 400, 300, \"Main\")"},
      {"  ButtonGadget(#btnOk, 10, 10, 80, 24, \"OK\")", "  ButtonGadget(#Main_btnOk, 10, 10, 80, 24, \"OK\")"},
      {"  StringGadget(#A, 10, 40, 80, 24, \"\")", "  StringGadget(#Main_A, 10, 40, 80, 24, \"\")"},
      {"  StringGadget(#B, 10, 70, 80, 24, \"\")", "  StringGadget(#Main_B, 10, 70, 80, 24, \"\")"},
      {"  SetGadgetText(#A, GetGadgetText(#B))", "  SetGadgetText(#Main_A, GetGadgetText(#Main_B))"},
      {"  BindGadgetEvent(#btnOk, @OnOk())", "  BindGadgetEvent(#Main_btnOk, @OnOk())"},
      {"  Debug #Main_A + #b", "  Debug #Main_A + #Main_b"},
      {"EndProcedure"},
      {"Procedure Main_Events(event)"},
      {"  Select EventGadget()"},
      {"    Case #btnOk, #A", "    Case #Main_btnOk, #Main_A"},
      {"  EndSelect"},
      {"EndProcedure"},
  });
}

TEST(PrefixObjectReferencesTest, CodeBeforeItsWindowUsesTheOnlyWindowThatOwnsTheName) {
  ExpectPrefixed({
      {"Procedure Helper()"},
      {"  SetGadgetText(#Status, \"\") : DisableGadget(#OK, 1)",
       "  SetGadgetText(#Main_Status, \"\") : DisableGadget(#OK, 1)"},
      {"EndProcedure"},
      {"Procedure Open_Main()"},
      {"  OpenWindow(#Main, 0, 0, 400, 300, \"Main\")"},
      {"  TextGadget(#Status, 0, 0, 80, 24, \"\")", "  TextGadget(#Main_Status, 0, 0, 80, 24, \"\")"},
      {"  ButtonGadget(#OK, 0, 30, 80, 24, \"OK\")", "  ButtonGadget(#Main_OK, 0, 30, 80, 24, \"OK\")"},
      {"EndProcedure"},
      {"Procedure Open_Dlg()"},
      {"  OpenWindow(#Dlg, 0, 0, 200, 100, \"Dialog\")"},
      {"  ButtonGadget(#OK, 0, 30, 80, 24, \"OK\")", "  ButtonGadget(#Dlg_OK, 0, 30, 80, 24, \"OK\")"},
      {"  Foo(GetGadgetText(#Status))", "  Foo(GetGadgetText(#Main_Status))"},
      {"EndProcedure"},
  });
}

TEST(PrefixObjectReferencesTest, LeavesStringsCommentsDefinitionsAndForeignNamesAlone) {
  ExpectPrefixed({
      {"Procedure Open_Main()"},
      {"  OpenWindow(#Main, 0, 0, 400, 300, \"#Go\")"},
      {"  ButtonGadget(#Go, 0, 0, 80, 24, \"#Go; #Go\") ; #Go here",
       "  ButtonGadget(#Main_Go, 0, 0, 80, 24, \"#Go; #Go\") ; #Go here"},
      {"  Enumeration"},
      {"    #Go"},
      {"  EndEnumeration"},
      {"  #Limit = 10"},
      {"  Text = TextGadget(#PB_Any, 0, 30, 80, 24, \"x\" + #TAB$ + \"y\")"},
      {"  SetWindowTitle(#Main, Str(#Limit) + Str(#GoOn) + Str(#Main_Go))"},
      {"; SetGadgetText(#Go, \"\")"},
      {"EndProcedure"},
  });
}

TEST(PrefixObjectReferencesTest, NamesTheDesignerAlsoDefinesGetTheirPrefixToo) {
  // Only our prefixed enumeration reaches CommonFile.pb: a reference that
  // kept the designer's name would agree with it only by chance.
  const std::vector<std::string> code = Prefixed({
      "Procedure Open_Main()",
      "  Enumeration FormMenu",
      "    #MenuItem_3",
      "  EndEnumeration",
      "  OpenWindow(#Main, 0, 0, 400, 300, \"Main\")",
      "  CreateMenu(#Menu, WindowID(#Main))",
      "  MenuItem(#MenuItem_3, \"Quit\")",
      "  Select EventMenu() : Case #MenuItem_3 : EndSelect",
      "EndProcedure",
  });
  EXPECT_EQ(code[2], "    #MenuItem_3");
  EXPECT_EQ(code[7], "  Select EventMenu() : Case #Main_MenuItem_3 : EndSelect");
}

TEST(PrefixObjectReferencesTest, GadgetListsAndBarsSwitchTheWindowAsInThePrefixPass) {
  ExpectPrefixed({
      {"Procedure Open_Main()"},
      {"  OpenWindow(#Main, 0, 0, 400, 300, \"Main\")"},
      {"  OpenWindow(#Tools, 0, 0, 100, 300, \"Tools\")"},
      {"  UseGadgetList(WindowID(#Main))"},
      {"  ButtonGadget(#Run, 0, 0, 80, 24, \"Run\") : HideGadget(#Run, 0)",
       "  ButtonGadget(#Main_Run, 0, 0, 80, 24, \"Run\") : HideGadget(#Main_Run, 0)"},
      {"  CreateToolBar(#TB, WindowID(#Tools)) : Debug ToolBarID(#TB)",
       "  CreateToolBar(#Tools_TB, WindowID(#Tools)) : Debug ToolBarID(#Tools_TB)"},
      {"  ToolBarStandardButton(#Save, #PB_ToolBarIcon_Save)",
       "  ToolBarStandardButton(#Tools_Save, #PB_ToolBarIcon_Save)"},
      {"  If GetToolBarButtonState(#TB, #Save) : DisableGadget(#Run, 1) : EndIf",
       "  If GetToolBarButtonState(#Tools_TB, #Tools_Save) : DisableGadget(#Main_Run, 1) : EndIf"},
      {"EndProcedure"},
  });
}

}  // namespace
}  // namespace quillon::testing
