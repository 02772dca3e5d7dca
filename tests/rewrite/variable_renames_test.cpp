// Renaming an object made from a #PB_Any variable renames the variable in the
// user's code too: which words move, and how Step 3 counts them.
#include "rewrite/variable_renames.h"

#include <gtest/gtest.h>

#include "rewrite/step3.h"
#include "rewrite/test_writers.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;

TEST(VariableRenamesTest, WholeWordsMoveExceptConstantsFieldsPointersAndCalls) {
  AnalysisModel m;
  m.windows = L({"Window_0", "Window_0_Sub"});
  m.pb_any_objects = L({"Window_0_Sub_Button_OK", "Main", "Window_0_Other"});
  const std::vector<Replacement> bindings = {
      {T("Window_0_Sub_Button_0"), T("Window_0_Sub_Button_OK"), kKindGadget},
      {T("Old"), T("Main"), kKindWindow},
      {T("Window_0_List"), T("Window_0_Plain"), kKindGadget},  // not made from a variable
      {T("Window_0_Other"), T("Window_0_Other"), kKindGadget},
  };
  const VariableRenames renames(bindings, m, L({"Old"}));
  const std::pair<const char*, const char*> cases[] = {
      {"SetGadgetText(Button_0, \"Button_0\") ; Button_0", "SetGadgetText(Button_OK, \"Button_OK\") ; Button_OK"},
      {"#Button_0 x.Button_0 a\\Button_0 *Button_0 @Button_0", nullptr},
      {"Button_0$ Button_0\\x Button_0 (1) Button_0(2) Button_01 EventGadget_Window_0_Sub_Button_0", nullptr},
      {"button_0 = 1:If BUTTON_0>0", "Button_OK = 1:If Button_OK>0"},
      {"CloseWindow(Old) : HideWindow(Old,1)", "CloseWindow(Main) : HideWindow(Main,1)"},
      {"List = Plain + Other", nullptr},
  };
  for (const auto& [line, expected] : cases) {
    SCOPED_TRACE(line);
    Text text = T(line);
    const long changed = renames.Apply(text);
    EXPECT_EQ(ToUtf8(text), expected != nullptr ? expected : line);
    EXPECT_EQ(changed, expected != nullptr ? 1 : 0);
  }
  EXPECT_TRUE(VariableRenames(bindings, AnalysisModel(), Lines()).Empty());
}

TEST(VariableRenamesTest, StepThreeRenamesVariablesInEveryUserFileAndCountsThem) {
  testing::TempDir dir;
  Workspace ws;
  testing::FakeHost host;
  ws.project.project_path = dir.TextPath("Demo.pbm");
  const std::string include = dir.File("Tools.pbi");
  testing::WriteBytes(include, "DisableGadget(Save, 1) : x = #Main_Save\n");
  AnalysisModel& m = ws.analysis;
  m.include_files.push_back(FromUtf8(include));
  m.windows = L({"Main"});
  m.pb_any_objects = L({"Main_Store"});
  m.main_lines = L({"; Save button"});
  m.event_gadget_lines = L({"Procedure EventGadget_Main_Save(EventType)", "  HideGadget(Save, #Main_Save)"});
  m.event_designer_lines = L({"Procedure Save(EventType)", "  SetGadgetText(Save, \"\")", "EndProcedure"});
  ws.check.replacements = {{T("Main_Save"), T("Main_Store"), kKindGadget}};

  RunStep3(ws, host);

  EXPECT_EQ(testing::ToUtf8Lines(m.event_gadget_lines),
            testing::JoinLines({"Procedure EventGadget_Main_Store(EventType)", "  HideGadget(Store, #Main_Store)"}));
  EXPECT_EQ(testing::ToUtf8Lines(m.event_designer_lines),
            testing::JoinLines({"Procedure Save(EventType)", "  SetGadgetText(Store, \"\")", "EndProcedure"}));
  EXPECT_EQ(testing::ReadBytes(include), "DisableGadget(Store, 1) : x = #Main_Store\n");
  ASSERT_GE(host.log.size(), 4u);
  const std::vector<std::string> tail(host.log.end() - 4, host.log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{" -> Update Includefile " + include + " / Count Change: 2",
                                            " -> Update " + dir.File("Main.pb") + " / Count Change: 1",
                                            " -> Update " + dir.File("EventGadget.pb") + " / Count Change: 2",
                                            " -> Update " + dir.File("EventDesigner.pb") + " / Count Change: 1"}));
}

}  // namespace
}  // namespace quillon
