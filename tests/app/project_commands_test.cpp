// Project commands: New, Load, Save, Save As, the save prompt and the file
// list commands, with their choosers and the status bar.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "app/project_commands.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

std::vector<std::string> Files(AppFixture& f) { return ListRows(f.app->main->file_view()); }

void Select(AppFixture& f, int row) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_selection_select_path(gtk_tree_view_get_selection(f.app->main->file_view()), path);
  gtk_tree_path_free(path);
}

TEST(ProjectCommandsTest, SaveAsAppendsPbmOnlyWithoutExtension) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb"});
  f.ws.last_path = FromUtf8(f.dir.path());
  f.dialogs.save_names = {FromUtf8(f.dir.File("first")), FromUtf8(f.dir.File("second.txt"))};
  ASSERT_TRUE(app::SaveAs(*f.app));
  EXPECT_TRUE(FileExists(f.dir.File("first.pbm")));
  EXPECT_FALSE(FileExists(f.dir.File("first")));
  EXPECT_EQ(f.app->main->StatusText(), f.dir.File("first.pbm"));
  EXPECT_EQ(f.dialogs.choosers[0], "Save project|" + f.dir.path() + "Unbekannt.pbm|Project (*.pbm)|*.pbm");
  ASSERT_TRUE(app::SaveAs(*f.app));
  EXPECT_TRUE(FileExists(f.dir.File("second.txt")));
  EXPECT_EQ(f.ws.project.project_path, FromUtf8(f.dir.File("second.txt")));
  // The proposal is LastPath + the current file part.
  EXPECT_EQ(f.dialogs.choosers[1], "Save project|" + f.dir.path() + "first.pbm|Project (*.pbm)|*.pbm");
  EXPECT_TRUE(f.ws.project.has_name);
  EXPECT_TRUE(f.ws.project.saved);
}

TEST(ProjectCommandsTest, OverwriteDeclinedInsideTheSavePromptAbandonsNew) {
  AppFixture f;
  WriteBytes(f.dir.File("taken.pbm"), "old");
  f.ws.project.files = L({"/x/a.pb"});
  f.app->ShowFileList();
  f.ws.project.saved = false;
  f.dialogs.answers = {true, false};  // save? yes; overwrite? no
  f.dialogs.save_names = {FromUtf8(f.dir.File("taken.pbm"))};
  app::DispatchCommand(*f.app, 0);
  EXPECT_EQ(f.dialogs.questions,
            (std::vector<std::string>{"Frage: Aktuelles Projekt speichern?", "Frage: Datei überschreiben?"}));
  EXPECT_EQ(ReadBytes(f.dir.File("taken.pbm")), "old");
  EXPECT_EQ(Files(f), std::vector<std::string>{"/x/a.pb"});  // New abandoned
  EXPECT_FALSE(f.ws.project.saved);
  EXPECT_EQ(f.ws.project.project_path, "Unbekannt.pbm");
}

TEST(ProjectCommandsTest, UnnamedEmptyModifiedProjectCannotBeSavedSoNewIsAbandoned) {
  AppFixture f;
  f.ws.project.saved = false;  // a file was added and deleted again
  f.dialogs.answers = {true};
  f.dialogs.save_names = {FromUtf8(f.dir.File("empty.pbm"))};
  app::DispatchCommand(*f.app, 0);
  EXPECT_FALSE(FileExists(f.dir.File("empty.pbm")));
  EXPECT_FALSE(f.ws.project.saved);
  EXPECT_TRUE(f.dialogs.messages.empty());  // silent
  // Answering No goes on.
  f.dialogs.answers = {false};
  app::DispatchCommand(*f.app, 0);
  EXPECT_TRUE(f.ws.project.saved);
}

TEST(ProjectCommandsTest, NewEmptiesBothListsAndKeepsSwitchesAndLastPath) {
  AppFixture f;
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb"});
  f.dialogs.open_names = {FromUtf8(project)};
  app::DispatchCommand(*f.app, 1);
  f.app->main->AppendLogLine(T("old line"));
  f.ws.project.switches.multilang = 7;
  f.ws.project.saved_gadgets = L({"G"});
  app::DispatchCommand(*f.app, 0);
  EXPECT_TRUE(Files(f).empty());
  EXPECT_TRUE(ListRows(f.app->main->log_view()).empty());
  EXPECT_TRUE(f.ws.project.saved_gadgets.empty());
  EXPECT_EQ(f.ws.project.switches.multilang, 7);
  EXPECT_EQ(f.ws.last_path, FromUtf8(f.dir.path()));
  EXPECT_EQ(f.app->main->StatusText(), "Unbekannt.pbm");
  EXPECT_FALSE(f.ws.project.has_name);
  // A Save now asks for a name.
  f.dialogs.save_names = {Text()};
  app::DispatchCommand(*f.app, 2);
  EXPECT_EQ(f.dialogs.choosers.size(), 2u);
}

TEST(ProjectCommandsTest, LoadEmptiesTheLogAndFailedLoadKeepsPathButEmptiesLists) {
  AppFixture f;
  f.ws.last_path = FromUtf8(f.dir.path());
  const std::string project = f.WriteProject("p.pbm", {"/x/a.pb", "/x/b.pb"});
  f.app->main->AppendLogLine(T("old"));
  f.dialogs.open_names = {FromUtf8(project), FromUtf8(f.dir.File("missing.pbm")), Text()};
  app::DispatchCommand(*f.app, 1);
  EXPECT_EQ(f.dialogs.choosers[0], "Load project|" + f.dir.path() + "|Project (*.pbm)|*.pbm");
  EXPECT_EQ(Files(f), (std::vector<std::string>{"/x/a.pb", "/x/b.pb"}));
  EXPECT_TRUE(ListRows(f.app->main->log_view()).empty());
  EXPECT_EQ(f.app->main->StatusText(), project);

  app::DispatchCommand(*f.app, 1);  // missing file
  EXPECT_EQ(f.dialogs.errors, std::vector<std::string>{"UserGadgetList: Error open file project\n" +
                                                       f.dir.File("missing.pbm") + ": No such file or directory"});
  EXPECT_TRUE(Files(f).empty());
  EXPECT_EQ(f.app->main->StatusText(), project);
  EXPECT_FALSE(f.ws.project.has_name);

  f.ws.project.files = L({"/x/keep.pb"});
  f.app->ShowFileList();
  app::DispatchCommand(*f.app, 1);  // cancelled chooser: nothing changes
  EXPECT_EQ(Files(f), std::vector<std::string>{"/x/keep.pb"});
}

TEST(ProjectCommandsTest, CommonAddAppendsThreeFilesAndRemembersTheFirstDirectory) {
  AppFixture f;
  f.ws.project.files = L({"/x/a.pb"});
  f.app->ShowFileList();
  f.dialogs.open_lists = {L({"/d1/one.pb", "/d2/two.pbf", "/x/a.pb"}), Lines()};
  app::DispatchCommand(*f.app, 6);
  // Without LastPath the chooser starts in the current folder, never in the
  // toolkit's recent files.
  char* cwd = ::get_current_dir_name();
  EXPECT_EQ(f.dialogs.choosers[0], "Commonfile|" + std::string(cwd) + "/|Common|*.pb*|Alle Dateien|*.*");
  std::free(cwd);
  // A file already in the list is refused and named.
  EXPECT_EQ(Files(f), (std::vector<std::string>{"/x/a.pb", "/d1/one.pb", "/d2/two.pbf"}));
  EXPECT_EQ(f.dialogs.messages, std::vector<std::string>{"Info: Already in the file list, not added again:\n/x/a.pb"});
  EXPECT_EQ(f.ws.project.files.size(), 3u);
  EXPECT_EQ(f.ws.last_path, "/d1/");
  EXPECT_FALSE(f.ws.project.saved);
  f.ws.project.saved = true;
  app::DispatchCommand(*f.app, 6);  // cancelled: silent, unchanged
  EXPECT_TRUE(f.ws.project.saved);
  EXPECT_EQ(f.ws.project.files.size(), 3u);
}

TEST(ProjectCommandsTest, CommonDeleteAndFirstFileWorkOnTheSelection) {
  AppFixture f;
  f.ws.project.files = L({"/a.pb", "/b.pb", "/c.pb"});
  f.app->ShowFileList();
  app::DispatchCommand(*f.app, 7);  // nothing selected
  app::DispatchCommand(*f.app, 8);
  EXPECT_TRUE(f.ws.project.saved);
  EXPECT_EQ(Files(f).size(), 3u);

  Select(f, 0);
  app::DispatchCommand(*f.app, 8);  // first item: order unchanged, modified
  EXPECT_EQ(Files(f), (std::vector<std::string>{"/a.pb", "/b.pb", "/c.pb"}));
  EXPECT_FALSE(f.ws.project.saved);
  EXPECT_EQ(f.app->main->SelectedFile(), -1);

  f.ws.project.saved = true;
  Select(f, 2);
  app::DispatchCommand(*f.app, 8);
  EXPECT_EQ(Files(f), (std::vector<std::string>{"/c.pb", "/a.pb", "/b.pb"}));
  EXPECT_EQ(f.ws.project.files, L({"/c.pb", "/a.pb", "/b.pb"}));
  EXPECT_FALSE(f.ws.project.saved);

  Select(f, 1);
  app::DispatchCommand(*f.app, 7);
  EXPECT_EQ(Files(f), (std::vector<std::string>{"/c.pb", "/b.pb"}));
  EXPECT_EQ(f.ws.project.files, L({"/c.pb", "/b.pb"}));
}

TEST(ProjectCommandsTest, ModifiedNamedProjectSavedByThePromptOfLoad) {
  AppFixture f;
  const std::string first = f.WriteProject("first.pbm", {"/x/a.pb"});
  const std::string second = f.WriteProject("second.pbm", {"/x/z.pb"});
  f.dialogs.open_names = {FromUtf8(first), FromUtf8(second)};
  app::DispatchCommand(*f.app, 1);
  f.ws.project.files.push_back("/x/added.pb");
  f.ws.project.saved = false;
  f.dialogs.answers = {true};
  app::DispatchCommand(*f.app, 1);
  EXPECT_NE(ReadBytes(first).find("/x/added.pb\n"), std::string::npos);
  EXPECT_EQ(Files(f), std::vector<std::string>{"/x/z.pb"});
}

}  // namespace
}  // namespace quillon::testing
