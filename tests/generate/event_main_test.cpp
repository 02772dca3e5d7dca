#include "generate/event_main.h"

#include <gtest/gtest.h>

#include "generate/templates.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::L;

// Lines from the first line equal to `from` up to (excluding) the first
// later line equal to `to`.
Lines Between(const Lines& lines, const std::string& from, const std::string& to) {
  size_t i = 0;
  while (i < lines.size() && lines[i] != T(from)) ++i;
  Lines out;
  for (++i; i < lines.size() && lines[i] != T(to); ++i) out.push_back(lines[i]);
  return out;
}

size_t IndexOf(const Lines& lines, const std::string& line) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == T(line)) return i;
  }
  return lines.size();
}

AnalysisModel ModelWith(bool call_fast) {
  AnalysisModel m;
  m.event_main_lines = EventMainTemplate(call_fast);
  m.menu_items = L({"A", "B", "C"});
  m.gadgets = {{T("W_Ok"), T("BUTTONGADGET")},
               {T("W_Text"), T("TEXTGADGET")},
               {T("W_Box"), T("FRAME3DGADGET")},
               {T("W_List"), T("LISTVIEWGADGET")}};
  m.windows = L({"W", "Second"});
  return m;
}

TEST(EventMainTest, TemplatesHaveTheirFixedShape) {
  EXPECT_EQ(EventMainCallTableTemplate().size(), 78u);
  EXPECT_EQ(EventMainSelectTemplate().size(), 38u);
  for (bool fast : {true, false}) {
    const Lines& t = EventMainTemplate(fast);
    EXPECT_EQ(ToUtf8(t[2]), "; Quillon EventMain (Do Not Edit - Allways Overwrite)");
    EXPECT_EQ(ToUtf8(t[4]), "; " + std::string(105, '*'));
  }
  EXPECT_EQ(ToUtf8(EventMainCallTableTemplate()[32]), "    *CallEventMenu\\Invoke[MenuID]()");
  EXPECT_EQ(ToUtf8(EventMainCallTableTemplate()[68]), "DataSection");
  EXPECT_EQ(ToUtf8(EventMainCallTableTemplate()[77]), "; CompileSourceDirectory");
  EXPECT_EQ(ToUtf8(EventMainSelectTemplate()[34]), "; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)");
}

TEST(EventMainTest, CallTablesCountAndListEveryObjectInOrder) {
  AnalysisModel m = ModelWith(true);
  FillCallTables(m);
  const Lines& lines = m.event_main_lines;
  EXPECT_EQ(ToUtf8(lines[24]), "#CallEventMenuCount   = 3");
  EXPECT_EQ(ToUtf8(lines[25]), "#CallEventGadgetCount = 4");  // text and frame gadgets count
  EXPECT_EQ(ToUtf8(lines[26]), "#CallEventWindowCount = 2");
  EXPECT_EQ(Between(lines, "DataSection", "EndDataSection"),
            L({"  CallEventMenu:", "    Data.i @EventMenu_A()", "    Data.i @EventMenu_B()",
               "    Data.i @EventMenu_C()", "  CallEventGadget:", "    Data.i @EventGadget_W_Ok()",
               "    Data.i @MyEventDispatch()", "    Data.i @MyEventDispatch()", "    Data.i @EventGadget_W_List()",
               "  CallEventSize:", "    Data.i @EventSize_W()", "    Data.i @EventSize_Second()",
               "  CallEventExit:", "    Data.i @EventExit_W()", "    Data.i @EventExit_Second()"}));
  EXPECT_EQ(lines.size(), 78u + 15u);
}

TEST(EventMainTest, CallTablesWithoutMenuItems) {
  AnalysisModel m = ModelWith(true);
  m.menu_items.clear();
  FillCallTables(m);
  const Lines& lines = m.event_main_lines;
  EXPECT_EQ(ToUtf8(lines[24]), "#CallEventMenuCount   = 0");
  const size_t menu = IndexOf(lines, "  CallEventMenu:");
  ASSERT_LT(menu + 1, lines.size());
  EXPECT_EQ(ToUtf8(lines[menu + 1]), "  CallEventGadget:");
}

TEST(EventMainTest, DispatchersGetOneCaseLinePerObject) {
  AnalysisModel m = ModelWith(false);
  FillDispatchers(m);
  const Lines& lines = m.event_main_lines;
  EXPECT_EQ(Between(lines, "  Select MenuID", "  EndSelect"),
            L({"    Case #A : EventMenu_A()", "    Case #B : EventMenu_B()", "    Case #C : EventMenu_C()"}));
  EXPECT_EQ(Between(lines, "  Select GadgetID", "  EndSelect"),
            L({"    Case #W_Ok : EventGadget_W_Ok(EventType)", "    Case #W_List : EventGadget_W_List(EventType)"}));
  const size_t size_proc = IndexOf(lines, "Procedure MyEventSize(WindowID)");
  const size_t exit_proc = IndexOf(lines, "Procedure MyEventExit(WindowID)");
  ASSERT_LT(exit_proc, lines.size());
  EXPECT_EQ(Lines(lines.begin() + static_cast<long>(size_proc) + 2, lines.begin() + static_cast<long>(size_proc) + 4),
            L({"    Case #W : EventSize_W()", "    Case #Second : EventSize_Second()"}));
  EXPECT_EQ(Lines(lines.begin() + static_cast<long>(exit_proc) + 2, lines.begin() + static_cast<long>(exit_proc) + 5),
            L({"    Case #W : EventExit_W()", "    Case #Second : EventExit_Second()", "  EndSelect"}));
  EXPECT_EQ(lines.size(), 38u + 3u + 2u + 2u + 2u);
}

TEST(EventMainTest, ConstantNamedLikeADispatcherStaysInItsOwnBlock) {
  AnalysisModel m;
  m.event_main_lines = EventMainSelectTemplate();
  m.menu_items = L({"MyEventGadgetMenu"});
  m.windows = L({"MyEventExitWin"});
  m.gadgets = {{T("G"), T("BUTTONGADGET")}};
  FillDispatchers(m);
  const Lines& lines = m.event_main_lines;
  EXPECT_EQ(Between(lines, "  Select MenuID", "  EndSelect"),
            L({"    Case #MyEventGadgetMenu : EventMenu_MyEventGadgetMenu()"}));
  EXPECT_EQ(Between(lines, "  Select GadgetID", "  EndSelect"), L({"    Case #G : EventGadget_G(EventType)"}));
  const size_t exit_proc = IndexOf(lines, "Procedure MyEventExit(WindowID)");
  ASSERT_LT(exit_proc + 3, lines.size());
  EXPECT_EQ(ToUtf8(lines[exit_proc + 2]), "    Case #MyEventExitWin : EventExit_MyEventExitWin()");
  EXPECT_EQ(ToUtf8(lines[exit_proc + 3]), "  EndSelect");
}

}  // namespace
}  // namespace quillon
