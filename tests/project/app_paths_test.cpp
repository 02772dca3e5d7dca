// Where the settings live: the rule on plain values, the folder it creates,
// and the built program copied into a portable folder and into a folder of
// installed programs, where --help and the default user list show the choice.
#include "project/app_paths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "io/file_io.h"
#include "support/quillon_process.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

SettingsEnvironment Env(const std::string& program, bool writable, const std::string& xdg, const std::string& home) {
  SettingsEnvironment env;
  env.program_directory = program;
  env.program_directory_writable = writable;
  env.xdg_config_home = xdg;
  env.home = home;
  return env;
}

TEST(SettingsLocation, WritableProgramFolderHoldsTheSettings) {
  EXPECT_EQ(ChooseSettingsDirectory(Env("/home/u/quillon/build/", true, "/home/u/.cfg", "/home/u")),
            "/home/u/quillon/build/");
  EXPECT_EQ(ChooseSettingsDirectory(Env("/media/stick/quillon/", true, "", "/home/u")), "/media/stick/quillon/");
}

TEST(SettingsLocation, ReadOnlyProgramFolderGivesTheUsersConfigurationFolder) {
  EXPECT_EQ(ChooseSettingsDirectory(Env("/opt/quillon/", false, "/home/u/.cfg", "/home/u")), "/home/u/.cfg/quillon/");
  EXPECT_EQ(ChooseSettingsDirectory(Env("/opt/quillon/", false, "/home/u/.cfg/", "/home/u")), "/home/u/.cfg/quillon/");
  // Unset, empty or relative: the XDG rules fall back to ~/.config.
  EXPECT_EQ(ChooseSettingsDirectory(Env("/opt/quillon/", false, "", "/home/u")), "/home/u/.config/quillon/");
  EXPECT_EQ(ChooseSettingsDirectory(Env("/opt/quillon/", false, "cfg", "/home/u/")), "/home/u/.config/quillon/");
  // Nowhere else to go: the program folder, as before.
  EXPECT_EQ(ChooseSettingsDirectory(Env("/opt/quillon/", false, "", "")), "/opt/quillon/");
}

// Root can write /usr/bin; an installed program still keeps its settings in
// the user's folder, never among the system's programs.
TEST(SettingsLocation, FolderOfInstalledProgramsIsNeverUsedEvenWhenWritable) {
  for (const char* folder : {"/usr/bin/", "/usr/local/bin/", "/home/u/.local/bin", "/usr/games/", "/usr/sbin/"}) {
    EXPECT_EQ(ChooseSettingsDirectory(Env(folder, true, "", "/root")), "/root/.config/quillon/") << folder;
  }
}

TEST(SettingsLocation, SettingsFolderIsCreatedWithParentsPrivateToTheUser) {
  TempDir dir;
  const mode_t old_mask = ::umask(022);
  const std::string folder = dir.File("home/.config/quillon/");
  EXPECT_TRUE(MakeSettingsDirectory(folder));
  ::umask(old_mask);
  struct stat st;
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  ASSERT_EQ(::stat(dir.File("home/.config").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  EXPECT_TRUE(MakeSettingsDirectory(folder));  // already there

  WriteBytes(dir.File("file"), "x");
  EXPECT_FALSE(MakeSettingsDirectory(dir.File("file/quillon/")));
  EXPECT_EQ(ReadBytes(dir.File("file")), "x");
}

TEST(SettingsLocation, WriteProblemNamesTheReason) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("QN4.INI").c_str(), 0755), 0);
  EXPECT_EQ(WriteProblem(dir.File("QN4.INI")), "Is a directory");
  EXPECT_EQ(WriteProblem(dir.File("missing/QN4.INI")), "No such file or directory");
  EXPECT_EQ(WriteProblem(dir.File("UserList.INI")), "");
}

// --- the built program in other folders ------------------------------------

struct Outcome {
  int status = -1;
  std::string out;
};

// Runs `program` with nothing of this process's environment but PATH and
// the given assignments.
Outcome RunWithEnvironment(const std::string& program, const std::string& assignments, const std::string& args) {
  TempDir scratch;
  const std::string command = "env -i PATH=/usr/bin:/bin " + assignments + " '" + program + "' " + args + " >'" +
                              scratch.File("out") + "' 2>&1 </dev/null";
  const int status = std::system(command.c_str());
  return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(scratch.File("out"))};
}

std::string CopyProgramInto(const std::string& folder) {
  ::mkdir(folder.c_str(), 0755);
  const std::string copy = folder + "quillon";
  WriteBytes(copy, ReadBytes(testing::QuillonBinary()));
  ::chmod(copy.c_str(), 0755);
  return copy;
}

// A project whose only gadget is made by the user gadget procedure MyKnob:
// the run counts it only when the user list names MyKnob.
std::string KnobProject(const TempDir& dir) {
  ::mkdir(dir.File("project").c_str(), 0755);
  WriteBytes(dir.File("project/Knob.pbf"),
             "Procedure OpenWinKnob(x = 0, y = 0, width = 200, height = 100)\n"
             "  OpenWindow(#WinKnob, x, y, width, height, \"Knob\")\n"
             "  MyKnob(#Knob_Volume, 10, 10, 50, 50)\n"
             "EndProcedure\n");
  WriteBytes(dir.File("project/Knob.pbm"), "[FILES]\nKnob.pbf\n\n");
  return dir.File("project/Knob.pbm");
}

TEST(SettingsLocation, InstalledProgramUsesTheHomeFolderAndCreatesNothingHeadless) {
  TempDir dir;
  const std::string program = CopyProgramInto(dir.File("bin/"));
  ::mkdir(dir.File("home").c_str(), 0755);
  const std::string home = "HOME=" + dir.File("home");

  Outcome help = RunWithEnvironment(program, home, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Settings folder (QN4.INI, UserList.INI): " + dir.File("home/.config/quillon/")),
            std::string::npos)
      << help.out;
  help = RunWithEnvironment(program, home + " XDG_CONFIG_HOME=" + dir.File("xdg"), "--help");
  EXPECT_NE(help.out.find(dir.File("xdg/quillon/")), std::string::npos) << help.out;

  // Without a list nothing is created; with one in the home folder, the
  // command line's default list is that one.
  const std::string project = KnobProject(dir);
  Outcome run = RunWithEnvironment(program, home, "--generate '" + project + "'");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find(" -> Count Gadget: 0\n"), std::string::npos) << run.out;
  EXPECT_FALSE(FileExists(dir.File("home/.config")));
  EXPECT_FALSE(FileExists(dir.File("bin/UserList.INI")));

  ASSERT_TRUE(MakeSettingsDirectory(dir.File("home/.config/quillon/")));
  WriteBytes(dir.File("home/.config/quillon/UserList.INI"), "[USERGADGET]\nMyKnob\n");
  run = RunWithEnvironment(program, home, "--generate '" + project + "'");
  EXPECT_NE(run.out.find(" -> Count Gadget: 1\n"), std::string::npos) << run.out;
}

TEST(SettingsLocation, PortableCopyKeepsItsSettingsBesideItself) {
  TempDir dir;
  const std::string program = CopyProgramInto(dir.File("portable/"));
  const std::string home = "HOME=" + dir.File("home");
  ::mkdir(dir.File("home").c_str(), 0755);
  ASSERT_TRUE(MakeSettingsDirectory(dir.File("home/.config/quillon/")));
  WriteBytes(dir.File("home/.config/quillon/UserList.INI"), "[USERGADGET]\nSomethingElse\n");
  WriteBytes(dir.File("portable/UserList.INI"), "[USERGADGET]\nMyKnob\n");

  const Outcome help = RunWithEnvironment(program, home, "--help");
  EXPECT_NE(help.out.find("Settings folder (QN4.INI, UserList.INI): " + dir.File("portable/")), std::string::npos)
      << help.out;
  const Outcome run = RunWithEnvironment(program, home, "--generate '" + KnobProject(dir) + "'");
  EXPECT_NE(run.out.find(" -> Count Gadget: 1\n"), std::string::npos) << run.out;
}

TEST(SettingsLocation, ReadOnlyPortableFolderFallsBackToTheHomeFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "runs only as non-root: root writes a read-only folder";
  TempDir dir;
  const std::string program = CopyProgramInto(dir.File("readonly/"));
  ASSERT_EQ(::chmod(dir.File("readonly").c_str(), 0555), 0);
  const Outcome help = RunWithEnvironment(program, "HOME=" + dir.File("home"), "--help");
  ::chmod(dir.File("readonly").c_str(), 0755);
  EXPECT_NE(help.out.find(dir.File("home/.config/quillon/")), std::string::npos) << help.out;
}

}  // namespace
}  // namespace quillon
