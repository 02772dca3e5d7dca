// The window never loses work by accident: the keyboard focus starts in the
// file list (a stray Return runs no command), closing the save question
// cancels the command that asked (the real box: RealDialogsTest), project
// paths are absolute, and a project named on the command line that cannot be
// opened is reported instead of being replaced by another one.
#include <gtest/gtest.h>
#include <gdk/gdkkeysyms.h>
#include <unistd.h>

#include <cstdlib>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "project/settings_file.h"

namespace quillon::testing {
namespace {

// Runs in another folder for its lifetime.
class InFolder {
 public:
  explicit InFolder(const std::string& folder) : previous_(::get_current_dir_name()) {
    EXPECT_EQ(::chdir(folder.c_str()), 0);
  }
  ~InFolder() {
    EXPECT_EQ(::chdir(previous_), 0);
    std::free(previous_);
  }

 private:
  char* previous_;
};

TEST(LostWorkTest, FocusStartsInTheFileListAndReturnRunsNoCommand) {
  const TempDir project_dir;
  WriteBytes(project_dir.File("a.pbm"), "[FILES]\n/x/one.pb\n/x/two.pb\n\n");
  AppFixture f(project_dir.File("a.pbm"));
  app::MainWindow& w = *f.app->main;
  EXPECT_EQ(gtk_window_get_focus(w.window()), GTK_WIDGET(w.file_view()));
  for (int command : {0, 1, 2, 6, 7, 8, 9}) {
    GtkWidget* button = gtk_bin_get_child(GTK_BIN(w.tool_button(command)));
    EXPECT_FALSE(gtk_widget_get_can_focus(button)) << command;
  }
  // Return, then Tab on to whatever the keyboard reaches next, and Return
  // there: the project stays open.
  GtkWidget* focus = gtk_window_get_focus(w.window());
  ASSERT_TRUE(focus);
  for (int i = 0; i < 6; ++i) {
    gtk_test_widget_send_key(focus, GDK_Return, GdkModifierType(0));
    gtk_test_widget_send_key(focus, GDK_Tab, GdkModifierType(0));
    if (GtkWidget* next = gtk_window_get_focus(w.window())) focus = next;
  }
  PumpPending();
  EXPECT_EQ(f.ws.project.project_path, FromUtf8(project_dir.File("a.pbm")));
  EXPECT_TRUE(f.ws.project.has_name);
  EXPECT_EQ(ListRows(w.file_view()), (std::vector<std::string>{"/x/one.pb", "/x/two.pb"}));
  EXPECT_TRUE(f.dialogs.choosers.empty());
}

TEST(LostWorkTest, SaveQuestionClosedWithoutAnswerCancelsExitNewAndLoad) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb"});
  f.ws.project.saved = false;
  f.app->ShowFileList();
  for (int command : {5, 0, 1}) {
    f.dialogs.closable = {app::Answer::kCancel};
    app::DispatchCommand(*f.app, command);
    EXPECT_FALSE(f.app->exit_requested) << command;
    EXPECT_FALSE(f.ws.project.saved) << command;
    EXPECT_EQ(ListRows(f.app->main->file_view()), std::vector<std::string>{"/x/a.pb"}) << command;
  }
  EXPECT_EQ(f.dialogs.questions.size(), 3u);
  EXPECT_TRUE(f.dialogs.choosers.empty());  // Load did not go on to its chooser
}

TEST(LostWorkTest, RelativeProjectOnTheCommandLineIsRememberedAbsolute) {
  const TempDir project_dir;
  WriteBytes(project_dir.File("a.pbm"), "[FILES]\none.pb\n\n");
  std::unique_ptr<AppFixture> f;
  {
    InFolder in(project_dir.path());
    f = std::make_unique<AppFixture>("a.pbm");
  }
  EXPECT_EQ(f->ws.project.project_path, FromUtf8(project_dir.File("a.pbm")));
  EXPECT_EQ(f->app->main->StatusText(), project_dir.File("a.pbm"));
  f->app->SaveSettingsAtExit();
  EXPECT_EQ(ReadSettings(f->dir.File("QN4.INI")).project_path, FromUtf8(project_dir.File("a.pbm")));
}

TEST(LostWorkTest, MissingProjectOnTheCommandLineIsReportedAndTheRememberedOneKept) {
  const TempDir project_dir;
  WriteBytes(project_dir.File("remembered.pbm"), "[FILES]\n/x/r.pb\n\n");
  const std::string settings = "[Path]\nProject = " + project_dir.File("remembered.pbm") + "\n";
  const std::string missing = project_dir.File("gone.pbm");
  AppFixture f(missing, settings);
  EXPECT_EQ(f.dialogs.errors, std::vector<std::string>{"UserGadgetList: Error open file project\n" + missing +
                                                       ": No such file or directory"});
  // An empty project, not the remembered one.
  EXPECT_TRUE(ListRows(f.app->main->file_view()).empty());
  EXPECT_EQ(f.app->main->StatusText(), "Unbekannt.pbm");
  EXPECT_FALSE(f.ws.project.has_name);
  // Exit without naming a project keeps the remembered one for next time.
  f.app->SaveSettingsAtExit();
  EXPECT_EQ(ReadSettings(f.dir.File("QN4.INI")).project_path, FromUtf8(project_dir.File("remembered.pbm")));
}

}  // namespace
}  // namespace quillon::testing
