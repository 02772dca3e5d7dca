// A designer form's rename cycle, as a user runs it: the form keeps its
// gadgets in #PB_Any variables and wires a button to a declared procedure.
// Renaming the gadget in the form moves the user's code with it, constant and
// variable alike, in the event files and in an include file.
#include <gtest/gtest.h>

#include <regex>

#include "support/quillon_process.h"
#include "support/temp_dir.h"

namespace quillon::testing {
namespace {

const std::string kForm = std::string(QUILLON_SOURCE_DIR) + "/../shared/corpus/forms/essess__codepop__form.pbf";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::map<std::string, std::string> Project(const std::string& dir) {
  std::map<std::string, std::string> files = SnapshotTree(dir);
  for (auto it = files.begin(); it != files.end();) it = it->first.rfind("Backup/", 0) == 0 ? files.erase(it) : ++it;
  return files;
}

ProcessResult Generate(const TempDir& dir, std::vector<std::string> extra = {}) {
  std::vector<std::string> args{"--generate", dir.File("Codepop.pbm")};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunQuillon(args, dir.path());
}

TEST(DesignerRenameCycle, RenamedPbAnyGadgetTakesItsCodeAlong) {
  const std::string form = ReadBytes(kForm);
  if (form == "<missing>") GTEST_SKIP() << "no corpus form " << kForm;
  const std::vector<std::vector<std::string>> ways = {
      {"--bind", "Gadget:Window_codepop_Button_getcodes=Window_codepop_Button_fetch"}, {"--bind-suggested"}};
  for (const std::vector<std::string>& way : ways) {
    SCOPED_TRACE(way[0]);
    TempDir dir;
    WriteBytes(dir.File("form.pbf"), form);
    WriteBytes(dir.File("Codepop.pbm"),
               "[FILES]\nform.pbf\n\n[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\n"
               "Image_Include=0\nImage_Null=0\nUseCallFast=1\nUtf8=1\n");
    ASSERT_EQ(Generate(dir).exit_code, 0);
    const std::string gadget_head = "Procedure EventGadget_Window_codepop_Button_getcodes(EventType)\n";
    const std::string designer_head = "Procedure Button_getcodes_Events(EventType)\n";
    ASSERT_TRUE(
        Contains(ReadBytes(dir.File("EventGadget.pb")), gadget_head + "  Button_getcodes_Events(EventType())\n"));
    ASSERT_TRUE(Contains(ReadBytes(dir.File("EventDesigner.pb")), designer_head + "  \nEndProcedure"));

    // The user's code names the button by its constant and by its variable.
    ReplaceInFile(dir.File("EventGadget.pb"), gadget_head,
                  gadget_head + "  DisableGadget(Button_getcodes, 1) : x = #Window_codepop_Button_getcodes\n");
    ReplaceInFile(dir.File("EventDesigner.pb"), designer_head + "  \n",
                  designer_head + "  HideGadget(#Window_codepop_Button_getcodes, 0) ; Button_getcodes\n");
    WriteBytes(dir.File("Tools.pbi"), "Procedure Tools()\n  Debug GetGadgetText(Button_getcodes)\nEndProcedure\n");
    ReplaceInFile(dir.File("Main.pb"), ";IncludeFile \"???.pb\"", "IncludeFile \"Tools.pbi\"");
    const auto before = Project(dir.path());
    ASSERT_EQ(Generate(dir).exit_code, 0);
    EXPECT_EQ(Project(dir.path()), before) << "a run on an unchanged project changes nothing";

    WriteBytes(dir.File("form.pbf"), std::regex_replace(form, std::regex("\\bButton_getcodes\\b"), "Button_fetch"));
    const ProcessResult renamed = Generate(dir, way);
    ASSERT_EQ(renamed.exit_code, 0) << renamed.out << renamed.err;
    // The counts: the include file's one variable, EventGadget.pb's signature and
    // user line, EventDesigner.pb's user line.
    for (const std::string& count :
         {"Includefile " + dir.File("Tools.pbi") + " / Count Change: 1",
          dir.File("EventGadget.pb") + " / Count Change: 2", dir.File("EventDesigner.pb") + " / Count Change: 1"}) {
      EXPECT_TRUE(Contains(renamed.out, " -> Update " + count)) << renamed.out;
    }
    EXPECT_TRUE(Contains(ReadBytes(dir.File("EventGadget.pb")),
                         "Procedure EventGadget_Window_codepop_Button_fetch(EventType)\n"
                         "  DisableGadget(Button_fetch, 1) : x = #Window_codepop_Button_fetch\n"
                         "  Button_getcodes_Events(EventType())\n"));
    EXPECT_TRUE(Contains(ReadBytes(dir.File("EventDesigner.pb")),
                         designer_head + "  HideGadget(#Window_codepop_Button_fetch, 0) ; Button_fetch\n"));
    EXPECT_EQ(ReadBytes(dir.File("Tools.pbi")),
              "Procedure Tools()\n  Debug GetGadgetText(Button_fetch)\nEndProcedure\n");
    const auto after = Project(dir.path());
    ASSERT_EQ(Generate(dir).exit_code, 0);
    EXPECT_EQ(Project(dir.path()), after);
  }
}

}  // namespace
}  // namespace quillon::testing
