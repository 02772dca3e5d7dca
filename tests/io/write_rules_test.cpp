// The write rules of the disk file system: what a replace may follow, which
// mode and owner the new file gets, and what it must leave alone.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/disk_file_system.h"
#include "io/file_io.h"
#include "io/write_rules.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr uid_t kOtherUser = 65534;  // nobody
constexpr gid_t kOtherGroup = 65534;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

bool NoTemporaryFiles(const std::string& dir) {
  std::vector<std::string> names;
  ListDirectory(dir, &names);
  for (const std::string& name : names) {
    if (name.rfind(".quillon-tmp-", 0) == 0) return false;
  }
  return true;
}

struct Project {
  TempDir dir;
  std::string folder = dir.File("proj/");
  DiskFileSystem disk;
  Project() {
    EXPECT_TRUE(MakeDirectory(folder, 0755));
    disk.SetProjectFolder(folder);
  }
  std::string File(const std::string& name) const { return folder + name; }
};

// F2: a set-uid program in the project must not come out of a run set-uid
// (as root's run, owned by root).
TEST(WriteRules, ReplacedFileLosesSetIdAndStickyBits) {
  Project p;
  WriteBytes(p.File("tool.pbx"), "old");
  ASSERT_EQ(::chmod(p.File("tool.pbx").c_str(), 07755), 0);
  ASSERT_EQ(p.disk.ReplaceFile(p.File("tool.pbx"), "new"), WriteResult::kWritten);
  EXPECT_EQ(ReadBytes(p.File("tool.pbx")), "new");
  EXPECT_EQ(StatOf(p.File("tool.pbx")).st_mode & 07777, 0755u);
}

// F4: links to the owner's files are followed; other links are not.
TEST(WriteRules, LinkIsWrittenThroughOnlyToARegularFileOfTheOwner) {
  Project p;
  const std::string own = p.dir.File("own.pb");
  WriteBytes(own, "mine");
  ASSERT_EQ(::symlink(own.c_str(), p.File("Main.pb").c_str()), 0);
  ASSERT_EQ(p.disk.ReplaceFile(p.File("Main.pb"), "through"), WriteResult::kWritten);
  EXPECT_EQ(ReadBytes(own), "through");
  EXPECT_TRUE(S_ISLNK(StatOf(p.File("Main.pb")).st_mode));

  // A dangling link names a file still to come, in a folder of the owner.
  ASSERT_EQ(::symlink("later.pb", p.File("Later.pb").c_str()), 0);
  EXPECT_EQ(p.disk.ReplaceFile(p.File("Later.pb"), "new"), WriteResult::kWritten);
  EXPECT_EQ(ReadBytes(p.File("later.pb")), "new");
}

// F4: a FIFO (as a device would) turned into a regular file, directly or
// through a link.
TEST(WriteRules, DevicesFifosFoldersAndLoopsAreNeverReplaced) {
  Project p;
  const std::string fifo = p.dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  ASSERT_EQ(::symlink(fifo.c_str(), p.File("CommonFile.pb").c_str()), 0);
  ASSERT_EQ(::mkfifo(p.File("EventMenu.pb").c_str(), 0644), 0);
  ASSERT_TRUE(MakeDirectory(p.File("EventWindow.pb"), 0755));
  ASSERT_EQ(::symlink("Loop.pb", p.File("Loop.pb").c_str()), 0);
  for (const char* name : {"CommonFile.pb", "EventMenu.pb", "EventWindow.pb", "Loop.pb"}) {
    EXPECT_EQ(p.disk.ReplaceFile(p.File(name), "x"), WriteResult::kFailed) << name;
    EXPECT_EQ(p.disk.CheckReplace(p.File(name)), WriteResult::kFailed) << name;
  }
  EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
  EXPECT_TRUE(S_ISFIFO(StatOf(p.File("EventMenu.pb")).st_mode));
  EXPECT_TRUE(S_ISDIR(StatOf(p.File("EventWindow.pb")).st_mode));
  EXPECT_TRUE(NoTemporaryFiles(p.folder));
  EXPECT_TRUE(NoTemporaryFiles(p.dir.path()));
}

// Another program's save that keeps the size, between the run's checks and
// its rename: the last look compares the whole identity and keeps the save.
TEST(WriteRules, ASameSizeSaveJustBeforeTheRenameIsKept) {
  Project p;
  WriteBytes(p.File("Main.pb"), "mine");
  disk::WriteTarget target;
  ASSERT_TRUE(disk::ResolveWriteTarget(p.File("Main.pb"), disk::OwnerOfFolder(p.folder), true, &target));
  const FileIdentity read = disk::IdentityAt(p.File("Main.pb"));
  for (const bool replaced : {false, true}) {  // saved in place, or as a new file
    if (replaced) {
      WriteBytes(p.File("Other.pb"), "save");
      ASSERT_EQ(::rename(p.File("Other.pb").c_str(), p.File("Main.pb").c_str()), 0);
    } else {
      WriteBytes(p.File("Main.pb"), "edit");
      const struct timespec times[2] = {{0, UTIME_OMIT}, {1, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, p.File("Main.pb").c_str(), times, 0), 0);
    }
    const std::string saved = ReadBytes(p.File("Main.pb"));
    FileIdentity written;
    EXPECT_EQ(disk::ReplaceTarget(target, "gen!", &read, &written), WriteResult::kChanged) << replaced;
    EXPECT_EQ(ReadBytes(p.File("Main.pb")), saved);
  }
  EXPECT_TRUE(NoTemporaryFiles(p.folder));
}

// A folder that takes a target's place after the checks (another program
// racing the run) makes the final rename fail: the write and the copy report
// the failure, the folder stays and no temporary file is left behind.
TEST(WriteRules, RenameThatFailsAtTheEndIsReportedAsAFailure) {
  Project p;
  const disk::TrustedOwner owner = disk::OwnerOfFolder(p.folder);
  disk::WriteTarget target;
  ASSERT_TRUE(disk::ResolveWriteTarget(p.File("Main.pb"), owner, /*follow_links=*/true, &target));
  ASSERT_TRUE(MakeDirectory(p.File("Main.pb"), 0755));
  FileIdentity written;
  EXPECT_EQ(disk::ReplaceTarget(target, "new", nullptr, &written), WriteResult::kFailed);

  WriteBytes(p.File("Tools.pbi"), "tools");
  ASSERT_TRUE(MakeDirectory(p.File("Copy.pbi"), 0755));
  EXPECT_EQ(disk::CopyRegularFile(p.File("Tools.pbi"), p.File("Copy.pbi"), owner), WriteResult::kFailed);

  EXPECT_TRUE(S_ISDIR(StatOf(p.File("Main.pb")).st_mode));
  EXPECT_TRUE(S_ISDIR(StatOf(p.File("Copy.pbi")).st_mode));
  EXPECT_TRUE(NoTemporaryFiles(p.folder));
}

// A copy is byte for byte whether the kernel copies it (same file system) or
// it goes through a buffer (copies between file systems may not be done in
// the kernel); holes of a sparse file stay holes.
TEST(WriteRules, CopiesHaveTheSourcesBytesWhicheverWayTheyAreMade) {
  Project p;
  const disk::TrustedOwner owner = disk::OwnerOfFolder(p.folder);
  std::string mixed(3 * 65536 + 7, '\0');
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = static_cast<char>((i * 2654435761u) >> 13);
  TempDir other_fs_dir;  // the same file system; /dev/shm, where there is one, is another
  const bool has_shm = ::access("/dev/shm", W_OK) == 0;
  const std::string shm_source = "/dev/shm/quillon-copy-test-" + std::to_string(::getpid());
  for (const std::string& bytes : {std::string(), std::string("x"), mixed}) {
    for (int from_shm = 0; from_shm <= (has_shm ? 1 : 0); ++from_shm) {
      const std::string source = from_shm ? shm_source : other_fs_dir.File("Source.pb");
      WriteBytes(source, bytes);
      ASSERT_EQ(disk::CopyRegularFile(source, p.File("Copy.pb"), owner), WriteResult::kWritten);
      EXPECT_EQ(ReadBytes(p.File("Copy.pb")), bytes) << bytes.size() << " bytes, from /dev/shm: " << from_shm;
      if (from_shm) ::unlink(shm_source.c_str());
    }
  }

  // 1 MiB of hole, 4 KiB of data, 1 MiB of hole.
  const std::string sparse = other_fs_dir.File("Sparse.pb");
  {
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string data(4096, 'd');
    ASSERT_EQ(::pwrite(fd, data.data(), data.size(), 1 << 20), static_cast<ssize_t>(data.size()));
    ASSERT_EQ(::ftruncate(fd, (2 << 20) + 4096), 0);
    ::close(fd);
  }
  ASSERT_EQ(disk::CopyRegularFile(sparse, p.File("Sparse.pb"), owner), WriteResult::kWritten);
  EXPECT_EQ(ReadBytes(p.File("Sparse.pb")), ReadBytes(sparse));
  EXPECT_LT(StatOf(p.File("Sparse.pb")).st_blocks * 512, 1 << 20);
  EXPECT_TRUE(NoTemporaryFiles(p.folder));
}

// Runs as root (CI) and as an ordinary user alike: a file its owner made
// read-only is the owner's decision.
TEST(WriteRules, ReadOnlyFileIsNotReplaced) {
  Project p;
  WriteBytes(p.File("Main.pb"), "keep");
  ASSERT_EQ(::chmod(p.File("Main.pb").c_str(), 0444), 0);
  EXPECT_EQ(p.disk.ReplaceFile(p.File("Main.pb"), "new"), WriteResult::kFailed);
  EXPECT_EQ(ReadBytes(p.File("Main.pb")), "keep");
  EXPECT_FALSE(WriteFileAtomic(p.File("Main.pb"), "new"));
  EXPECT_EQ(ReadBytes(p.File("Main.pb")), "keep");
}

// The attacks of a prepared project on a run as root: links to files of
// other users, other users' files in the project, root-owned leftovers.
TEST(WriteRulesAsRoot, FilesOfAnotherUserAreNotReplacedNorWrittenThrough) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
  Project p;
  const std::string victim = p.dir.File("authorized_keys");
  WriteBytes(victim, "ssh-ed25519 AAAA owner\n");
  ASSERT_EQ(::chown(victim.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::symlink(victim.c_str(), p.File("CommonFile.pb").c_str()), 0);
  WriteBytes(p.File("Catalog"), "theirs");
  ASSERT_EQ(::chown(p.File("Catalog").c_str(), kOtherUser, kOtherGroup), 0);
  // A dangling link into a folder of another user would create a file there.
  const std::string foreign = p.dir.File("foreign/");
  ASSERT_TRUE(MakeDirectory(foreign, 0755));
  ASSERT_EQ(::chown(foreign.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::symlink((foreign + "cron").c_str(), p.File("EventMain.pb").c_str()), 0);

  for (const char* name : {"CommonFile.pb", "Catalog", "EventMain.pb"}) {
    EXPECT_EQ(p.disk.ReplaceFile(p.File(name), "attack"), WriteResult::kFailed) << name;
  }
  EXPECT_EQ(ReadBytes(victim), "ssh-ed25519 AAAA owner\n");
  EXPECT_EQ(ReadBytes(p.File("Catalog")), "theirs");
  EXPECT_EQ(KindOfPath(foreign + "cron"), FileKind::kMissing);
}

TEST(WriteRulesAsRoot, RootKeepsTheUsersOwnerOnReplacedAndNewFiles) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run as root";
  Project p;
  ASSERT_EQ(::chown(p.folder.c_str(), kOtherUser, kOtherGroup), 0);
  p.disk.SetProjectFolder(p.folder);
  WriteBytes(p.File("Main.pb"), "old");
  ASSERT_EQ(::chown(p.File("Main.pb").c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::chmod(p.File("Main.pb").c_str(), 0640), 0);

  ASSERT_EQ(p.disk.ReplaceFile(p.File("Main.pb"), "new"), WriteResult::kWritten);
  ASSERT_EQ(p.disk.ReplaceFile(p.File("CommonFile.pb"), "made"), WriteResult::kWritten);
  ASSERT_TRUE(p.disk.MakePrivateFolder(p.File("Backup")));
  for (const char* name : {"Main.pb", "CommonFile.pb", "Backup"}) {
    const struct stat st = StatOf(p.File(name));
    EXPECT_EQ(st.st_uid, kOtherUser) << name;
    EXPECT_EQ(st.st_gid, kOtherGroup) << name;
  }
  EXPECT_EQ(StatOf(p.File("Main.pb")).st_mode & 07777, 0640u);
  EXPECT_EQ(StatOf(p.File("Backup")).st_mode & 07777, 0700u);
}

}  // namespace
}  // namespace quillon
