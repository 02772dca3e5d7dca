// Settings that cannot be written: the user hears of it once per session,
// with the file and the reason, instead of losing them silently at exit.
#include <gtest/gtest.h>

#include <sys/stat.h>

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
  EXPECT_EQ(s.dialogs.messages, std::vector<std::string>{"UserGadgetList: Error open file usergadgetlist"});
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

}  // namespace
}  // namespace quillon::testing
