// The settings file and the user gadget list on a full file system or with
// something else in their place; and the permission cases, which only a
// user other than root can see (root reads and writes regardless of them).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "fault/fault_support.h"
#include "project/settings_file.h"
#include "project/user_gadget_file.h"
#include "support/fake_host.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

const std::string kSettings =
    "\xEF\xBB\xBF[Path]\nLast = /home/u/forms\nProject = /home/u/p.pbm\n; kept comment\n"
    "[Plugin]\nColour = blue\n";
const std::string kUserList = "[USERGADGET]\nMyKnob\nMySlider\n";

SettingsValues SomeValues() {
  SettingsValues values;
  values.last_path = "/other";
  values.project_path = "/other/q.pbm";
  return values;
}

TEST(SettingsAndUserListFaults, FullFileSystemKeepsBothFilesAndReportsTheUserList) {
  ScratchTmpfs fs(256 << 10);
  if (!fs.mounted()) GTEST_SKIP() << "full file system not tested: " << fs.why_not();
  WriteBytes(fs.path() + "QN4.INI", kSettings);
  WriteBytes(fs.path() + "UserList.INI", kUserList);
  FillUp(fs.path() + "filler");

  // A settings file that cannot be written is not reported, but stays whole.
  EXPECT_FALSE(WriteSettings(fs.path() + "QN4.INI", SomeValues()));
  EXPECT_EQ(ReadBytes(fs.path() + "QN4.INI"), kSettings);

  FakeHost host;
  EXPECT_FALSE(SaveUserGadgets(fs.path() + "UserList.INI", L({"A", "B"}), host));
  EXPECT_EQ(host.errors, std::vector<std::string>{"Save UserGadget: Error save file usergadget"});
  EXPECT_EQ(ReadBytes(fs.path() + "UserList.INI"), kUserList);

  // A missing list cannot be created either: the open error box, no file.
  FakeHost start;
  Lines names;
  LoadUserGadgets(fs.path() + "New.INI", &names, start);
  EXPECT_EQ(start.errors, std::vector<std::string>{"UserGadgetList: Error open file usergadgetlist"});
  EXPECT_FALSE(FileExists(fs.path() + "New.INI"));
  EXPECT_TRUE(FindTempFiles(fs.path()).empty());

  // With room again both are written in full.
  FreeFromFiller(fs.path() + "filler", 64 << 10);
  EXPECT_TRUE(WriteSettings(fs.path() + "QN4.INI", SomeValues()));
  const std::string written = ReadBytes(fs.path() + "QN4.INI");
  EXPECT_NE(written.find("Colour = blue\n"), std::string::npos);
  EXPECT_NE(written.find("Last = /other\n"), std::string::npos);
  EXPECT_TRUE(SaveUserGadgets(fs.path() + "UserList.INI", L({"A", "B"}), host));
  EXPECT_EQ(ReadBytes(fs.path() + "UserList.INI"), "[USERGADGET]\nA\nB\n");
}

TEST(SettingsAndUserListFaults, SomethingElseInTheirPlaceIsLeftAlone) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("QN4.INI").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(dir.File("UserList.INI").c_str(), 0755), 0);
  EXPECT_FALSE(WriteSettings(dir.File("QN4.INI"), SomeValues()));
  EXPECT_TRUE(IsDirectory(dir.File("QN4.INI")));
  FakeHost host;
  EXPECT_FALSE(SaveUserGadgets(dir.File("UserList.INI"), L({"A"}), host));
  EXPECT_EQ(host.errors, std::vector<std::string>{"Save UserGadget: Error save file usergadget"});
  Lines names;
  LoadUserGadgets(dir.File("UserList.INI"), &names, host);
  EXPECT_EQ(host.errors.back(), "UserGadgetList: Error open file usergadgetlist");
  EXPECT_TRUE(IsDirectory(dir.File("UserList.INI")));

  // A settings file that is there but cannot be read (here a named pipe) is
  // not replaced: its other entries would be lost. Reading it never blocks.
  ASSERT_EQ(::mkfifo(dir.File("Pipe.INI").c_str(), 0644), 0);
  EXPECT_EQ(ReadSettings(dir.File("Pipe.INI")).project_path, Text());
  EXPECT_FALSE(WriteSettings(dir.File("Pipe.INI"), SomeValues()));
  struct stat st;
  ASSERT_EQ(::lstat(dir.File("Pipe.INI").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(FindTempFiles(dir.path()).empty());
}

bool RunningAsRoot() { return ::geteuid() == 0; }

TEST(PermissionFaults, UnreadableSettingsFileIsNotReplaced) {
  if (RunningAsRoot()) GTEST_SKIP() << "runs only as non-root: root ignores permission bits";
  TempDir dir;
  WriteBytes(dir.File("QN4.INI"), kSettings);
  ASSERT_EQ(::chmod(dir.File("QN4.INI").c_str(), 0), 0);
  EXPECT_FALSE(WriteSettings(dir.File("QN4.INI"), SomeValues()));
  ASSERT_EQ(::chmod(dir.File("QN4.INI").c_str(), 0644), 0);
  EXPECT_EQ(ReadBytes(dir.File("QN4.INI")), kSettings);
}

TEST(PermissionFaults, ReadOnlyUserListAndSettingsKeepTheirBytes) {
  if (RunningAsRoot()) GTEST_SKIP() << "runs only as non-root: root ignores permission bits";
  TempDir dir;
  const std::string sub = dir.File("ro/");
  ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
  WriteBytes(sub + "QN4.INI", kSettings);
  WriteBytes(sub + "UserList.INI", kUserList);
  ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
  EXPECT_FALSE(WriteSettings(sub + "QN4.INI", SomeValues()));
  FakeHost host;
  EXPECT_FALSE(SaveUserGadgets(sub + "UserList.INI", L({"A"}), host));
  EXPECT_EQ(host.errors, std::vector<std::string>{"Save UserGadget: Error save file usergadget"});
  EXPECT_EQ(ReadBytes(sub + "QN4.INI"), kSettings);
  EXPECT_EQ(ReadBytes(sub + "UserList.INI"), kUserList);
  ::chmod(sub.c_str(), 0755);
}

TEST(PermissionFaults, ReadOnlyProjectFolderReportsEveryFileAndChangesNothing) {
  if (RunningAsRoot()) GTEST_SKIP() << "runs only as non-root: root ignores permission bits";
  TempDir dir;
  PrepareRenamedProject(dir.path());
  const Tree before = SnapshotTree(dir.path());
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  ASSERT_EQ(::chmod(dir.File("Backup").c_str(), 0555), 0);
  const ProcessResult run =
      RunQuillon({"--generate", dir.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, dir.path());
  ::chmod(dir.path().c_str(), 0755);
  ::chmod(dir.File("Backup").c_str(), 0700);
  EXPECT_EQ(run.exit_code, 4);  // completed, but nothing could be written
  const std::vector<std::string> log = SplitLines(run.out);
  for (const char* name : {"Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb",
                           "EventWindow.pb", "LoadLanguage.pb", "Catalog"}) {
    EXPECT_TRUE(HasLine(log, " -> Error File " + dir.File(name) + " / Errorcode: 1")) << name;
  }
  EXPECT_TRUE(HasLine(log, " -> Error WriteFile " + dir.File("Tools.pbi") + " / Errorcode: 1"));
  EXPECT_TRUE(HasLine(log, "- Error CopyDirectory"));
  EXPECT_EQ(run.err, "Error save file project\n");
  EXPECT_EQ(SnapshotTree(dir.path()), before);
}

// A generated file the run cannot read back is never replaced by a template:
// the user's code in it would be gone.
TEST(PermissionFaults, UnreadableEventFileIsKeptAndReported) {
  if (RunningAsRoot()) GTEST_SKIP() << "runs only as non-root: root ignores permission bits";
  TempDir dir;
  PrepareRenamedProject(dir.path());
  const std::string old = ReadBytes(dir.File("EventGadget.pb"));
  ASSERT_EQ(::chmod(dir.File("EventGadget.pb").c_str(), 0), 0);
  const ProcessResult run =
      RunQuillon({"--generate", dir.File("Example.pbm"), kRenameBind[0], kRenameBind[1]}, dir.path());
  ASSERT_EQ(::chmod(dir.File("EventGadget.pb").c_str(), 0644), 0);
  EXPECT_EQ(run.exit_code, 4);
  EXPECT_TRUE(HasLine(SplitLines(run.out), " -> Error File " + dir.File("EventGadget.pb") + " / Errorcode: 1"));
  EXPECT_EQ(ReadBytes(dir.File("EventGadget.pb")), old);
}

}  // namespace
}  // namespace quillon::testing
