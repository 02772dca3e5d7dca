// RequestExit and its save prompt; the settings written after the loop; a
// main window that cannot open.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "app/project_commands.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

TEST(ExitTest, SavedProjectEndsWithoutAQuestion) {
  AppFixture f;
  app::DispatchClose(*f.app, app::kWindowMain);
  EXPECT_TRUE(f.app->exit_requested);
  EXPECT_TRUE(f.dialogs.questions.empty());
}

TEST(ExitTest, AnsweringNoWritesNoProjectButTheSettings) {
  const TempDir other;
  AppFixture f;
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb"});
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  const std::string before = ReadBytes(project);
  f.ws.project.files.push_back("/x/b.pb");
  f.ws.project.saved = false;
  f.dialogs.answers = {false};
  app::DispatchCommand(*f.app, 5);
  EXPECT_TRUE(f.app->exit_requested);
  EXPECT_EQ(f.dialogs.questions, std::vector<std::string>{"Frage: Aktuelles Projekt speichern?"});
  EXPECT_EQ(ReadBytes(project), before);
  f.app->SaveSettingsAtExit();
  const std::string settings = ReadBytes(f.dir.File("QN4.INI"));
  EXPECT_NE(settings.find("Project = " + project), std::string::npos) << settings;
  EXPECT_NE(settings.find("Last = " + f.dir.path()), std::string::npos) << settings;
}

TEST(ExitTest, YesOnANamedProjectSavesIt) {
  AppFixture f;
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb"});
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  f.ws.project.files.push_back("/x/b.pb");
  f.ws.project.saved = false;
  f.dialogs.answers = {true};
  app::DispatchClose(*f.app, app::kWindowMain);
  EXPECT_TRUE(f.app->exit_requested);
  EXPECT_NE(ReadBytes(project).find("/x/b.pb\n"), std::string::npos);
}

TEST(ExitTest, UnnamedYesAndCancelledChooserKeepsRunning) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb"});
  f.ws.project.saved = false;
  f.dialogs.answers = {true};
  f.dialogs.save_names = {Text()};
  app::DispatchClose(*f.app, app::kWindowMain);
  EXPECT_FALSE(f.app->exit_requested);
  EXPECT_FALSE(f.ws.project.saved);
  EXPECT_EQ(f.dialogs.choosers.size(), 1u);
  // The loop keeps going: the window still answers commands.
  f.dialogs.answers = {false};
  app::DispatchCommand(*f.app, 5);
  EXPECT_TRUE(f.app->exit_requested);
}

TEST(ExitTest, FirstStartWritesTheDefaultSettings) {
  AppFixture f;
  EXPECT_EQ(f.ws.project.project_path, "Unbekannt.pbm");
  f.app->SaveSettingsAtExit();
  const std::string settings = ReadBytes(f.dir.File("QN4.INI"));
  for (const char* entry : {"Project = Unbekannt.pbm", "Parend = 1", "PB_Ignore = 1", "Multilang = 0",
                            "Image_Include = 0", "Image_Null = 0", "UseCallFast = 1", "Utf8 = 1"}) {
    EXPECT_NE(settings.find(entry), std::string::npos) << entry;
  }
}

TEST(ExitTest, StartupOpensTheFirstArgumentsProject) {
  const TempDir project_dir;
  WriteBytes(project_dir.File("a.pbm"), "[FILES]\n/x/one.pb\n/x/two.pb\n\n");
  AppFixture f(project_dir.File("a.pbm"));
  EXPECT_EQ(ListRows(f.app->main->file_view()), (std::vector<std::string>{"/x/one.pb", "/x/two.pb"}));
  EXPECT_EQ(f.app->main->StatusText(), project_dir.File("a.pbm"));
}

// Without a display the main window cannot open: a failure status (scripts
// must notice) and no settings file beside the program.
TEST(ExitTest, NoWindowEndsWithFailureStatusAndWritesNoSettings) {
  const TempDir dir;
  const std::string copy = dir.File("quillon");
  WriteBytes(copy, ReadBytes(QUILLON_BINARY));
  ASSERT_EQ(chmod(copy.c_str(), 0700), 0);
  const std::string command = "env -u DISPLAY '" + copy + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_FALSE(FileExists(dir.File("QN4.INI")));
}

}  // namespace
}  // namespace quillon::testing
