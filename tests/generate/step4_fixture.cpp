#include "generate/step4_fixture.h"

#include "text/encoding.h"

namespace quillon::testing {

Lines Step4Project::ReadLines(const std::string& name) const {
  TextFile file;
  if (!ReadTextFile(dir.File(name), &file)) return {};
  return file.lines;
}

FormObjects SampleObjects() {
  FormObjects o;
  o.windows = L({"WinMain", "WinAbout"});
  o.menu_bars = L({"WinMain_Menu"});
  o.menu_items = L({"WinMain_Open", "WinMain_Quit", "WinMain_TbSave"});
  o.status_bars = L({"WinMain_Status"});
  o.tool_bars = L({"WinMain_Tools"});
  o.gadgets = {{T("WinMain_Ok"), T("BUTTONGADGET")},
               {T("WinMain_Label"), T("TEXTGADGET")},
               {T("WinMain_Frame"), T("FRAME3DGADGET")},
               {T("WinMain_List"), T("LISTVIEWGADGET")},
               {T("WinAbout_Close"), T("BUTTONGADGET")}};
  o.images = {{T("#MyImage_0"), T("open.png")}};
  o.form_code = L({"Procedure Open_WinMain()", "  OpenWindow(#WinMain, 0, 0, 400, 300, \"Main\")", "EndProcedure"});
  o.texts = L({"Open", "Close", "Main"});
  return o;
}

const std::vector<std::string>& AlwaysWrittenFiles() {
  static const std::vector<std::string> names = {"Main.pb",      "CommonFile.pb",  "EventMain.pb",
                                                 "EventMenu.pb", "EventGadget.pb", "EventWindow.pb"};
  return names;
}

}  // namespace quillon::testing
