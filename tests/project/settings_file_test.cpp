#include "project/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "project/user_gadget_file.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::FakeHost;
using testing::JoinLines;
using testing::L;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SettingsFile, FirstStartUsesDefaultsAndExitCreatesTheFile) {
  TempDir dir;
  Workspace ws;
  FakeHost host;
  EXPECT_FALSE(LoadSettings(ws, Text(), dir.File("QN4.INI"), dir.File("UserList.INI"), host));
  EXPECT_EQ(ws.project.project_path, "Unbekannt.pbm");
  EXPECT_TRUE(ws.last_path.empty());
  const Switches d = DefaultSwitches();
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) EXPECT_EQ(SwitchAt(ws.project.switches, i), SwitchAt(d, i));
  EXPECT_FALSE(ws.project.has_name);
  EXPECT_EQ(ReadBytes(dir.File("UserList.INI")), "[USERGADGET]\n");

  SaveSettings(ws, dir.File("QN4.INI"));
  EXPECT_EQ(ReadBytes(dir.File("QN4.INI")),
            "\xEF\xBB\xBF" + JoinLines({"[Path]", "Last = ", "Project = Unbekannt.pbm", "", "[Default]", "Parend = 1",
                                        "PB_Ignore = 1", "Multilang = 0", "Image_Include = 0", "Image_Null = 0",
                                        "UseCallFast = 1", "Utf8 = 1"}));
}

TEST(SettingsFile, HandEditedFileIsReadCaseInsensitivelyAndUnknownEntriesKept) {
  TempDir dir;
  const std::string path = dir.File("QN4.INI");
  // No mark: single-byte text (0xE4 is ä).
  WriteBytes(path,
             "; my comment\n\n[path]\nLAST =\t/home/j\xE4/ \t\nExtra = keep\n[DEFAULT]\nmultilang=1\nutf8 = nope\n"
             "[Mine]\nx=1\n");
  const SettingsValues v = ReadSettings(path);
  EXPECT_EQ(v.last_path, "/home/jä/");
  EXPECT_TRUE(v.project_path.empty());
  EXPECT_EQ(v.defaults.multilang, 1);
  EXPECT_EQ(v.defaults.utf8, 0);
  EXPECT_EQ(v.defaults.parend, 1);  // missing key: default

  SettingsValues out = v;
  out.project_path = "/p/x.pbm";
  ASSERT_TRUE(WriteSettings(path, out));
  const std::string text = ReadBytes(path);
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);  // written back as UTF-8 with mark
  EXPECT_NE(text.find("; my comment\n"), std::string::npos);
  EXPECT_NE(text.find("Extra = keep\n"), std::string::npos);
  EXPECT_NE(text.find("[Mine]\nx=1\n"), std::string::npos);
  EXPECT_NE(text.find("Last = /home/j\xC3\xA4/\n"), std::string::npos);
  const SettingsValues back = ReadSettings(path);
  EXPECT_EQ(back.project_path, "/p/x.pbm");
  EXPECT_EQ(back.last_path, "/home/jä/");
  EXPECT_EQ(back.defaults.multilang, 1);
}

TEST(SettingsFile, StartUpProjectFromArgumentThenSettingsThenNone) {
  TempDir dir;
  FakeHost host;
  WriteBytes(dir.File("arg.pbm"), "[FILES]\n/a.pbf\n\n[SWITCH]\nUtf8=0\n");
  WriteBytes(dir.File("last.pbm"), "[FILES]\n/b.pbf\n");
  WriteBytes(dir.File("empty.pbm"), "");
  WriteBytes(dir.File("QN4.INI"), "[Path]\nProject = " + dir.File("last.pbm") + "\nLast = /l/\n");

  Workspace a;
  EXPECT_TRUE(LoadSettings(a, dir.TextPath("arg.pbm"), dir.File("QN4.INI"), dir.File("UserList.INI"), host));
  EXPECT_EQ(a.project.files, L({"/a.pbf"}));
  EXPECT_EQ(a.project.switches.parend, 0);  // switches come from the project alone
  EXPECT_TRUE(a.last_path.empty());

  // A named project that cannot be opened is reported and the program starts
  // empty: it never opens the last project in its place.
  for (const std::string& arg : {std::string("missing.pbm"), std::string("empty.pbm")}) {
    Workspace b;
    host.errors.clear();
    EXPECT_FALSE(LoadSettings(b, dir.TextPath(arg), dir.File("QN4.INI"), dir.File("UserList.INI"), host));
    EXPECT_EQ(b.project.project_path, "Unbekannt.pbm") << arg;
    EXPECT_TRUE(b.project.files.empty()) << arg;
    EXPECT_EQ(b.last_path, "/l/") << arg;
    EXPECT_EQ(host.errors, std::vector<std::string>{"UserGadgetList: Error open file project"}) << arg;
  }

  // A remembered relative path is made absolute against the current folder.
  WriteBytes(dir.File("QN4.INI"), "[Path]\nProject = last.pbm\n");
  {
    char* cwd = ::get_current_dir_name();
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    Workspace d;
    EXPECT_TRUE(LoadSettings(d, Text(), dir.File("QN4.INI"), dir.File("UserList.INI"), host));
    EXPECT_EQ(d.project.project_path, dir.TextPath("last.pbm"));
    EXPECT_EQ(::chdir(cwd), 0);
    std::free(cwd);
  }

  host.errors.clear();
  WriteBytes(dir.File("QN4.INI"), "[Path]\nProject = Unbekannt.pbm\n");
  Workspace c;
  EXPECT_FALSE(LoadSettings(c, Text(), dir.File("QN4.INI"), dir.File("UserList.INI"), host));
  EXPECT_EQ(c.project.project_path, "Unbekannt.pbm");
  EXPECT_TRUE(host.errors.empty());
}

TEST(UserGadgetFile, NamesTrimmedEmptyLineEndsSectionAndKeywordsMerged) {
  TempDir dir;
  FakeHost host;
  const std::string path = dir.File("UserList.INI");
  WriteBytes(path, "\xEF\xBB\xBF[USERGADGET]\r\n  MyGadget \r\nColorButton\n\nAfterGap\n[OTHER]\nNope\n");
  Lines names;
  LoadUserGadgets(path, &names, host);
  EXPECT_EQ(names, L({"MyGadget", "ColorButton"}));
  const KeywordSets sets = BuildKeywordSets(names);
  EXPECT_EQ(sets.gadget_keywords.size(), 34u);
  EXPECT_EQ(sets.command_keywords.size(), 126u);
  EXPECT_TRUE(sets.gadget_keywords.count("MYGADGET"));
  EXPECT_TRUE(sets.command_keywords.count("COLORBUTTON"));
  EXPECT_TRUE(sets.gadget_keywords.count("FRAME3DGADGET"));
  EXPECT_FALSE(sets.gadget_keywords.count("GADGETID"));
}

TEST(UserGadgetFile, SaveWritesHeaderAndNamesAsTheyStand) {
  TempDir dir;
  FakeHost host;
  ASSERT_TRUE(SaveUserGadgets(dir.File("UserList.INI"), L({" spaced ", "B"}), host));
  EXPECT_EQ(ReadBytes(dir.File("UserList.INI")), "[USERGADGET]\n spaced \nB\n");
  ASSERT_TRUE(SaveUserGadgets(dir.File("UserList.INI"), {}, host));
  EXPECT_EQ(ReadBytes(dir.File("UserList.INI")), "[USERGADGET]\n");
  EXPECT_FALSE(SaveUserGadgets(dir.File("no/UserList.INI"), {}, host));
  EXPECT_EQ(host.errors, std::vector<std::string>{"Save UserGadget: Error save file usergadget"});
}

TEST(UserGadgetFile, EmptyFileGetsTheHeaderAndUncreatableFileShowsTheBox) {
  TempDir dir;
  FakeHost host;
  WriteBytes(dir.File("UserList.INI"), "");
  Lines names;
  LoadUserGadgets(dir.File("UserList.INI"), &names, host);
  EXPECT_EQ(ReadBytes(dir.File("UserList.INI")), "[USERGADGET]\n");
  LoadUserGadgets(dir.File("missing/UserList.INI"), &names, host);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(host.errors, std::vector<std::string>{"UserGadgetList: Error open file usergadgetlist"});
}

}  // namespace
}  // namespace quillon
