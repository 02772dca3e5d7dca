#include "rewrite/backup.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <gtest/gtest.h>

#include "rewrite/step3.h"
#include "rewrite/test_writers.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::FakeHost;
using testing::ReadBytes;
using testing::RecordingWriter;
using testing::TempDir;
using testing::WriteBytes;
using Strings = std::vector<std::string>;

struct BackupFixture {
  TempDir dir;
  Workspace ws;
  FakeHost host;
  RecordingWriter writer;
  std::string project;  // the project directory, with "/"
  std::string backup;   // its Backup directory, with "/"

  BackupFixture() {
    project = dir.File("proj/");
    backup = project + "Backup/";
    EXPECT_TRUE(MakeDirectory(project, 0755));
    ws.project.project_path = FromUtf8(project + "Demo.pbm");
    ws.files = &writer;
    writer.SetProjectFolder(project);  // as a run does
  }
  void Put(const std::string& name, const std::string& bytes) { WriteBytes(project + name, bytes); }
  Strings BackupNames() const {
    std::vector<std::string> names;
    ListDirectory(backup, &names);
    std::sort(names.begin(), names.end());
    return names;
  }
};

bool IsSymlink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

TEST(BackupSelection, PatternIsCaseSensitiveAndTakesAnyPbExtension) {
  EXPECT_TRUE(IsBackupName("huge.pbdata"));
  // The extension decides: a script named like a source is not one.
  EXPECT_FALSE(IsBackupName("evil.pb.sh"));
  EXPECT_TRUE(IsBackupName("Main.pb"));
  EXPECT_TRUE(IsBackupName("Demo.pbm"));
  EXPECT_TRUE(IsBackupName("Tools.pbi"));
  EXPECT_TRUE(IsBackupName("Form.pbf"));
  EXPECT_FALSE(IsBackupName("odd.pb.txt"));
  EXPECT_FALSE(IsBackupName("MAIN.PB"));
  EXPECT_FALSE(IsBackupName("notes.txt"));
  EXPECT_FALSE(IsBackupName("Backup"));
  EXPECT_FALSE(IsBackupName("pbfile"));
}

TEST(BackupRuns, FirstRunCreatesBackupWithOnlyPbFiles) {
  BackupFixture f;
  f.Put("Main.pb", "main 1");
  f.Put("Demo.pbm", "project");
  f.Put("Form.pbf", "form");
  f.Put("Tools.pbi", "tools");
  f.Put("notes.txt", "text");
  f.Put("logo.png", "png");
  f.Put("UPPER.PB", "upper");
  ASSERT_TRUE(MakeDirectory(f.project + "sub.pb", 0755));
  WriteBytes(f.project + "sub.pb/Inner.pb", "inner");

  EXPECT_TRUE(MakeBackup(f.ws, f.host));
  EXPECT_TRUE(f.host.log.empty());
  EXPECT_EQ(f.BackupNames(), (Strings{"Demo.pbm", "Form.pbf", "Main.pb", "Tools.pbi"}));
  EXPECT_EQ(ReadBytes(f.backup + "Main.pb"), "main 1");
  EXPECT_EQ(ReadBytes(f.backup + "Tools.pbi"), "tools");
  struct stat st;
  ASSERT_EQ(::stat(f.backup.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Every copy went through the run's file system as a stream copy.
  EXPECT_EQ(f.writer.copied.size(), 4u);
}

TEST(BackupRuns, SecondRunOverwritesAndKeepsVanishedFiles) {
  BackupFixture f;
  f.Put("Main.pb", "main 1");
  f.Put("Form.pbf", "form");
  ASSERT_TRUE(MakeBackup(f.ws, f.host));
  f.Put("Main.pb", "main 2, longer than before");
  ASSERT_EQ(::unlink((f.project + "Form.pbf").c_str()), 0);

  EXPECT_TRUE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(ReadBytes(f.backup + "Main.pb"), "main 2, longer than before");
  EXPECT_EQ(ReadBytes(f.backup + "Form.pbf"), "form");
  EXPECT_TRUE(f.host.log.empty());
}

TEST(BackupRuns, SymlinkInsideBackupIsNotWrittenThrough) {
  BackupFixture f;
  const std::string outside = f.dir.File("outside.txt");
  WriteBytes(outside, "precious");
  ASSERT_TRUE(MakeDirectory(f.backup, 0700));
  ASSERT_EQ(::symlink(outside.c_str(), (f.backup + "Main.pb").c_str()), 0);
  f.Put("Main.pb", "main");

  EXPECT_TRUE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(ReadBytes(outside), "precious");
  EXPECT_FALSE(IsSymlink(f.backup + "Main.pb"));
  EXPECT_EQ(ReadBytes(f.backup + "Main.pb"), "main");
}

TEST(BackupFailures, FailedFileIsReportedOnceAndOthersAreCopied) {
  BackupFixture f;
  f.Put("A.pb", "a");
  f.Put("B.pb", "b");
  f.Put("C.pb", "c");
  f.writer.failing.insert(f.backup + "B.pb");
  EXPECT_FALSE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(f.host.log, Strings{"- Error CopyDirectory"});
  EXPECT_EQ(ReadBytes(f.backup + "A.pb"), "a");
  EXPECT_EQ(ReadBytes(f.backup + "C.pb"), "c");
}

TEST(BackupFailures, BackupNameTakenByAFile) {
  // Works for every user, root included: "Backup" cannot be created.
  BackupFixture f;
  f.Put("Main.pb", "main");
  WriteBytes(f.project + "Backup", "not a folder");
  EXPECT_FALSE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(f.host.log, Strings{"- Error CopyDirectory"});
  EXPECT_EQ(ReadBytes(f.project + "Backup"), "not a folder");
}

TEST(BackupFailures, MissingProjectDirectory) {
  BackupFixture f;
  f.ws.project.project_path = FromUtf8(f.dir.File("nowhere/Demo.pbm"));
  EXPECT_FALSE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(f.host.log, Strings{"- Error CopyDirectory"});
}

TEST(BackupFailures, ReadOnlyProjectDirectoryLogsAndStep3GoesOn) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: directory permissions do not stop writes";
  BackupFixture f;
  f.Put("Main.pb", "main");
  ASSERT_EQ(::chmod(f.project.c_str(), 0555), 0);
  RunStep3(f.ws, f.host);
  ::chmod(f.project.c_str(), 0755);
  EXPECT_EQ(f.host.log,
            (Strings{"Generate Code Step 3 ...", "- Make Backup...", "- Error CopyDirectory", "- Update Prefix",
                     "- Update Procedure", "- Update Constants", "- Update Open Window", "- Update IncludeFiles"}));
  EXPECT_FALSE(IsDirectory(f.project + "Backup"));
}

// F1: a Backup that is a link would put this project's files elsewhere.
TEST(BackupSafety, BackupThatIsALinkGetsNoCopy) {
  BackupFixture f;
  const std::string victim = f.dir.File("victim/");
  ASSERT_TRUE(MakeDirectory(victim, 0755));
  ASSERT_EQ(::symlink("../victim", (f.project + "Backup").c_str()), 0);
  f.Put("Main.pb", "main");
  for (int run = 0; run < 2; ++run) {
    EXPECT_FALSE(MakeBackup(f.ws, f.host));
    std::vector<std::string> names;
    ASSERT_TRUE(ListDirectory(victim, &names));
    EXPECT_TRUE(names.empty());
  }
  EXPECT_EQ(f.host.log, (Strings{"- Error CopyDirectory", "- Error CopyDirectory"}));
  EXPECT_TRUE(IsSymlink(f.project + "Backup"));
}

TEST(BackupSafetyAsRoot, BackupFolderOfAnotherUserGetsNoCopy) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a folder to another user";
  BackupFixture f;
  ASSERT_TRUE(MakeDirectory(f.backup, 0777));
  ASSERT_EQ(::chown(f.backup.c_str(), 65534, 65534), 0);
  f.Put("Main.pb", "main");
  EXPECT_FALSE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(f.host.log, Strings{"- Error CopyDirectory"});
  EXPECT_TRUE(f.BackupNames().empty());
}

mode_t ModeOf(const std::string& path) {
  struct stat st;
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// F2 and F3: a copy's rights come from its source, less set-id bits, and
// never from what already stands in Backup.
TEST(BackupSafety, CopiesTakeTheSourcesBitsWithoutSetIdNorTheOldCopysBits) {
  BackupFixture f;
  f.Put("tool.pbx", "#!/bin/sh\n");
  ASSERT_EQ(::chmod((f.project + "tool.pbx").c_str(), 0644), 0);
  f.Put("setuid.pbx", "x");
  ASSERT_EQ(::chmod((f.project + "setuid.pbx").c_str(), 06755), 0);
  ASSERT_TRUE(MakeDirectory(f.backup, 0700));
  WriteBytes(f.backup + "tool.pbx", "planted");
  ASSERT_EQ(::chmod((f.backup + "tool.pbx").c_str(), 04755), 0);
  // A link to a private file: the copy stays as private as the file.
  const std::string secret = f.dir.File("secret");
  WriteBytes(secret, "private");
  ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
  ASSERT_EQ(::symlink(secret.c_str(), (f.project + "notes.pb").c_str()), 0);
  // A link to a FIFO is no source file (and must not block the run).
  ASSERT_EQ(::mkfifo(f.dir.File("fifo").c_str(), 0644), 0);
  ASSERT_EQ(::symlink(f.dir.File("fifo").c_str(), (f.project + "pipe.pb").c_str()), 0);
  f.Put("evil.pb.sh", "rm -rf ~");

  EXPECT_TRUE(MakeBackup(f.ws, f.host));
  EXPECT_EQ(f.BackupNames(), (Strings{"notes.pb", "setuid.pbx", "tool.pbx"}));
  EXPECT_EQ(ReadBytes(f.backup + "tool.pbx"), "#!/bin/sh\n");
  EXPECT_EQ(ModeOf(f.backup + "tool.pbx"), 0644u);
  EXPECT_EQ(ModeOf(f.backup + "setuid.pbx"), 0755u);
  EXPECT_EQ(ReadBytes(f.backup + "notes.pb"), "private");
  EXPECT_FALSE(IsSymlink(f.backup + "notes.pb"));
  EXPECT_EQ(ModeOf(f.backup + "notes.pb"), 0600u);
}

// F6: a huge file is streamed, not read into memory; its holes stay holes.
TEST(BackupSafety, HugeSparseFileIsCopiedInAStream) {
  BackupFixture f;
  constexpr off_t kSize = 100LL << 30;  // 100 GB, almost all of it a hole
  const std::string huge = f.project + "huge.pbdata";
  WriteBytes(huge, "head");
  if (::truncate(huge.c_str(), kSize) != 0) GTEST_SKIP() << "no sparse files of 100 GB here";
  f.Put("Main.pb", "main");
  // In a child: reading the whole file into memory ends a process.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(MakeBackup(f.ws, f.host) ? 0 : 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  struct stat st;
  ASSERT_EQ(::stat((f.backup + "huge.pbdata").c_str(), &st), 0);
  EXPECT_EQ(st.st_size, kSize);
  EXPECT_LT(st.st_blocks, 1024);  // under 512 KB on disk
  std::string head;
  ASSERT_TRUE(ReadFileHead(f.backup + "huge.pbdata", 5, &head));
  EXPECT_EQ(head, std::string("head\0", 5));
  EXPECT_EQ(ReadBytes(f.backup + "Main.pb"), "main");
}

}  // namespace
}  // namespace quillon
