// Renaming an object made from a #PB_Any variable renames the variable in the
// user's code too: which words move. (DesignerRenameCycle runs it in Step 3.)
#include "rewrite/variable_renames.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillon
