// Settings that cannot be written: the user hears of it once per session,
// with the file and the reason, instead of losing them silently at exit.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "app/command_table.h"
#include "app/gui_support.h"
#include "io/file_io.h"

namespace quillon::testing {
namespace {

// The application on `dir` as start-up builds it, without the fixture's
// ready-made files.
struct StartedApp {
  explicit StartedApp(const TempDir& dir)
      : app(ws, dialogs, app::AppPaths{dir.File("QN4.INI"), dir.File("UserList.INI")}) {
    EXPECT_TRUE(app.Open());
    app.LoadStartup(Text());
    PumpPending();
  }
  ~StartedApp() { PumpPending(); }

  Workspace ws;
  FakeDialogs dialogs;
  app::App app;
};

TEST(SettingsReportTest, SettingsThatCannotBeSavedAreNamedWithTheReasonAtExit) {
  const TempDir dir;
  WriteBytes(dir.File("UserList.INI"), "[USERGADGET]\n");
  StartedApp s(dir);
  EXPECT_TRUE(s.dialogs.messages.empty());
  ASSERT_EQ(::mkdir(dir.File("QN4.INI").c_str(), 0755), 0);  // in the way of the file
  s.app.SaveSettingsAtExit();
  const std::string box = "Settings: Error save file settings\n" + dir.File("QN4.INI") + ": Is a directory";
  EXPECT_EQ(s.dialogs.messages, std::vector<std::string>{box});
  EXPECT_TRUE(IsDirectory(dir.File("QN4.INI")));
}

TEST(SettingsReportTest, AFolderAlreadyReportedAtStartIsNotReportedAgainAtExit) {
  const TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("UserList.INI").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(dir.File("QN4.INI").c_str(), 0755), 0);
  StartedApp s(dir);
  ASSERT_EQ(s.dialogs.messages.size(), 1u);
  EXPECT_EQ(s.dialogs.messages[0],
            "UserGadgetList: Error open file usergadgetlist\n" + dir.File("UserList.INI") + ": Is a directory");
  s.app.SaveSettingsAtExit();
  EXPECT_EQ(s.dialogs.messages.size(), 1u);
}

TEST(SettingsReportTest, SavedSettingsShowNoBox) {
  const TempDir dir;
  StartedApp s(dir);
  s.app.SaveSettingsAtExit();
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_TRUE(IsRegularFile(dir.File("QN4.INI")));
}

// The window of an installed program (a copy in a folder named bin), started
// by a user without settings: the settings folder appears in the home folder,
// private to the user, with the user gadget list in it; nothing lands beside
// the program.
TEST(SettingsReportTest, InstalledWindowKeepsItsSettingsInTheHomeFolder) {
  const TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("bin").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(dir.File("home").c_str(), 0755), 0);
  const std::string program = dir.File("bin/quillon");
  WriteBytes(program, ReadBytes(QUILLON_BINARY));
  ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
  const std::string home = dir.File("home");
  const char* display = std::getenv("DISPLAY");
  ASSERT_NE(display, nullptr);

  // Nothing of this process's environment but the display and its key.
  const char* authority = std::getenv("XAUTHORITY");
  const std::string home_env = "HOME=" + home, display_env = std::string("DISPLAY=") + display,
                    authority_env = std::string("XAUTHORITY=") + (authority ? authority : "");
  char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
  char* const envp[] = {const_cast<char*>(home_env.c_str()), const_cast<char*>(display_env.c_str()),
                        const_cast<char*>(authority_env.c_str()), const_cast<char*>("LANG=C.UTF-8"), nullptr};
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execve(program.c_str(), argv, envp);
    ::_exit(127);
  }
  const std::string folder = home + "/.config/quillon";
  const bool started = PumpUntil([&] { return FileExists(folder + "/UserList.INI"); }, 20000);
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(started) << "no user gadget list in " << folder;
  EXPECT_EQ(ReadBytes(folder + "/UserList.INI"), "[USERGADGET]\n");
  struct stat st;
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_FALSE(FileExists(dir.File("bin/UserList.INI")));
  EXPECT_FALSE(FileExists(dir.File("bin/QN4.INI")));
}

}  // namespace
}  // namespace quillon::testing
