// The designer's declared event procedures: reading Declare and Procedure
// lines, wiring objects to their calls, and EventDesigner.pb across runs.
#include "generate/designer_procedures.h"

#include <gtest/gtest.h>

#include "analysis/designer_events.h"
#include "generate/procedure_lines.h"
#include "generate/step4_fixture.h"
#include "rewrite/test_writers.h"

namespace quillon {
namespace {

using testing::L;
using testing::SampleObjects;
using testing::Step4Project;
using testing::WriteBytes;

TEST(ProcedureLinesTest, DeclaredAndDefinedNamesAndTheProcedureLineOfADeclare) {
  struct Case {
    const char* line;
    const char* declared;
    const char* defined;
    const char* procedure;  // ProcedureLineOfDeclare, for declared lines
  };
  const Case cases[] = {
      {"Declare Save(EventType)", "Save", "", "Procedure Save(EventType)"},
      {"\t  declare.s *Title$(x)   ; the title", "Title", "", "Procedure.s *Title$(x)"},
      {"DeclareCDLL Hook(a = 1) ", "Hook", "", "ProcedureCDLL Hook(a = 1) "},
      {"Declare A() : Declare B()", "", "", nullptr},  // two statements declare nothing
      {"; Declare Save(EventType)", "", "", nullptr},
      {"Global Declared", "", "", nullptr},
      {"ProcedureC.i  *Grow(x) ; \"Procedure\"", "", "Grow", nullptr},
      {"procedure Save(EventType) : EndProcedure", "", "Save", nullptr},
      {"  ProcedureReturn 1", "", "", nullptr},
      {"x = \"; Procedure Fake()\"", "", "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const Text line = T(c.line);
    EXPECT_EQ(ToUtf8(DeclaredProcedureName(line)), c.declared);
    EXPECT_EQ(ToUtf8(DefinedProcedureName(line)), c.defined);
    if (c.procedure != nullptr) {
      EXPECT_EQ(ToUtf8(ProcedureLineOfDeclare(line)), c.procedure);
    }
  }
}

TEST(DesignerEventsTest, CaseLinesWireObjectsToTheirFirstDeclaredCall) {
  AnalysisModel m;
  m.carried_declarations =
      L({"Global Main", "Declare Save(EventType)", "Declare Quit(Event) ; menu", "declare save(x)", "Declare Idle()"});
  m.form_code = L({"Procedure Main_Events(event)", "  Select EventGadget()", "    Case #Main_Save", "",
                   "      ; the designer's call", "      Save(EventType())   ; go", "    Case #Main_Quit : Quit(1)",
                   "    Case #Main_Other", "      Helper(EventType())", "    CASE  #Main_Menu",
                   "      quit (EventMenu())", "    Case #Main_Save", "      Idle()", "    Case #Main_A, #Main_B",
                   "      Idle()", "  EndSelect", "EndProcedure"});
  ReadDesignerEvents(m);
  ASSERT_EQ(m.declared_procedures.size(), 3u);
  EXPECT_EQ(ToUtf8(m.declared_procedures[1].name), "Quit");
  EXPECT_EQ(ToUtf8(m.declared_procedures[1].signature), "Procedure Quit(Event)");
  ASSERT_EQ(m.designer_wirings.size(), 2u);
  EXPECT_EQ(ToUtf8(m.designer_wirings[0].object), "Main_Save");
  EXPECT_EQ(ToUtf8(m.designer_wirings[0].call), "Save(EventType())");
  EXPECT_EQ(ToUtf8(m.designer_wirings[1].object), "Main_Menu");
  EXPECT_EQ(ToUtf8(m.designer_wirings[1].call), "quit (EventMenu())");
}

const std::string kSep = "; " + std::string(87, '*');

// Two runs of Step 4 over one project: the first generates the bodies that
// nobody defines and wires them into the objects' procedures, the second
// keeps the user's code and names what no Declare wants any more.
TEST(DesignerProceduresTest, GeneratedKeptAndReportedAcrossRuns) {
  Step4Project p;
  WriteBytes(p.dir.File("Main.pb"), "IncludeFile \"Tools.pbi\"\n  Procedure.i Quit(Event)\nEndProcedure\n");
  WriteBytes(p.dir.File("Tools.pbi"), "ProcedureDLL *Helper()\nEndProcedure\n; Procedure Save(EventType)\n");
  testing::FormObjects objects = SampleObjects();
  objects.form_code.push_back(T("Procedure InForm()"));
  auto prepare = [&](std::vector<DeclaredProcedure> declared) {
    p.PrepareRun(objects);
    AnalysisModel& m = p.ws.analysis;
    m.include_files = {T(p.dir.File("Tools.pbi")), T(p.dir.File("Missing.pbi"))};
    m.declared_procedures = std::move(declared);
    m.designer_wirings = {{T("winmain_ok"), T("Save(EventType())")}, {T("WinMain_Quit"), T("Quit(EventMenu())")}};
  };
  prepare({{T("Save"), T("Procedure Save(EventType)")},
           {T("Quit"), T("Procedure Quit(Event)")},
           {T("helper"), T("Procedure Helper()")},
           {T("InForm"), T("Procedure InForm()")},
           {T("Later"), T("Procedure.s Later(a, b)")}});
  RunStep4(p.ws, p.host);

  EXPECT_EQ(p.Read("EventDesigner.pb"),
            "\xEF\xBB\xBF" + testing::JoinLines({";-TOP", "", "; Quillon Event Designer", "", kSep, "",
                                                 "Procedure Save(EventType)", "  ", "EndProcedure", "", kSep, "",
                                                 "Procedure.s Later(a, b)", "  ", "EndProcedure", "", kSep, ""}));
  const std::string common = p.Read("CommonFile.pb");
  const std::string include = "\nXIncludeFile \"EventDesigner.pb\"\n";
  EXPECT_EQ(common.substr(common.size() - include.size()), include);
  EXPECT_NE(p.Read("EventGadget.pb").find("Procedure EventGadget_WinMain_Ok(EventType)\n  Save(EventType())\n  Select"),
            std::string::npos);
  EXPECT_NE(p.Read("EventMenu.pb").find("Procedure EventMenu_WinMain_Quit()\n  Quit(EventMenu())\nEndProcedure"),
            std::string::npos);
  const std::string d = p.dir.path();
  const auto written = std::find(p.host.log.begin(), p.host.log.end(), " -> Write File " + d + "EventWindow.pb");
  ASSERT_NE(written, p.host.log.end());
  EXPECT_EQ(*(written + 1), " -> Write File " + d + "EventDesigner.pb");

  // The user fills Save; the designer no longer declares it, and an editor
  // appended its options.
  testing::ReplaceInFile(p.dir.File("EventDesigner.pb"), "Procedure Save(EventType)\n  \n",
                         "Procedure Save(EventType)\n  Store()\n");
  WriteBytes(p.dir.File("EventDesigner.pb"), p.Read("EventDesigner.pb") + "; IDE Options = PureBasic\n; Folding\n");
  p.host.log.clear();
  prepare({{T("Later"), T("Procedure.s Later(a, b)")}, {T("Next"), T("Procedure Next()")}});
  RunStep4(p.ws, p.host);
  const std::string designer = p.Read("EventDesigner.pb");
  EXPECT_NE(designer.find("Procedure Save(EventType)\n  Store()\nEndProcedure"), std::string::npos);
  EXPECT_EQ(designer.find("IDE Options"), std::string::npos);
  const std::string tail = "\nProcedure Next()\n  \nEndProcedure\n\n" + kSep + "\n\n";
  ASSERT_GT(designer.size(), tail.size());
  EXPECT_EQ(designer.substr(designer.size() - tail.size()), tail);
  EXPECT_NE(std::find(p.host.log.begin(), p.host.log.end(), " -> Unused Procedure Save in " + d + "EventDesigner.pb"),
            p.host.log.end());
  EXPECT_EQ(std::count_if(p.host.log.begin(), p.host.log.end(),
                          [](const std::string& line) {
                            return line.find("Unused Procedure") != std::string::npos &&
                                   line.find("EventDesigner") != std::string::npos;
                          }),
            1);
}

}  // namespace
}  // namespace quillon
