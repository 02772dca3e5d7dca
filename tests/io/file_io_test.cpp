#include "io/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

bool RunningAsRoot() { return ::geteuid() == 0; }

size_t EntryCount(const std::string& dir) {
  std::vector<std::string> names;
  EXPECT_TRUE(ListDirectory(dir, &names));
  return names.size();
}

TEST(AtomicWrite, CreatesAndReplacesKeepingPermissionBits) {
  TempDir dir;
  const std::string path = dir.File("Main.pb");
  ASSERT_TRUE(WriteFileAtomic(path, "first\n"));
  EXPECT_EQ(ReadBytes(path), "first\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomic(path, "second\n"));
  EXPECT_EQ(ReadBytes(path), "second\n");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(EntryCount(dir.path()), 1u);  // no temporary file left
}

TEST(AtomicWrite, TargetThatIsADirectoryFailsAndLeavesNothing) {
  TempDir dir;
  ASSERT_TRUE(MakeDirectory(dir.File("EventMenu.pb"), 0755));
  EXPECT_FALSE(WriteFileAtomic(dir.File("EventMenu.pb"), "x"));
  EXPECT_TRUE(IsDirectory(dir.File("EventMenu.pb")));
  EXPECT_EQ(EntryCount(dir.path()), 1u);
}

TEST(AtomicWrite, ReadOnlyDirectoryKeepsTheOldFile) {
  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not restrict root; covered by the full-disk test";
  TempDir dir;
  const std::string sub = dir.File("ro/");
  ASSERT_TRUE(MakeDirectory(sub, 0755));
  WriteBytes(sub + "Main.pb", "old\n");
  ASSERT_EQ(::chmod(sub.c_str(), 0555), 0);
  EXPECT_FALSE(WriteFileAtomic(sub + "Main.pb", "new\n"));
  EXPECT_EQ(ReadBytes(sub + "Main.pb"), "old\n");
  EXPECT_EQ(EntryCount(sub), 1u);
}

TEST(AtomicWrite, MissingDirectoryFails) {
  TempDir dir;
  EXPECT_FALSE(WriteFileAtomic(dir.File("no/such/file"), "x"));
  EXPECT_FALSE(WriteFileAtomic("", "x"));
}

TEST(AtomicWrite, SymlinkPolicies) {
  TempDir dir;
  const std::string real = dir.File("real.pb");
  const std::string link = dir.File("link.pb");
  WriteBytes(real, "old\n");
  ASSERT_EQ(::symlink("real.pb", link.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomic(link, "through\n"));
  EXPECT_EQ(ReadBytes(real), "through\n");
  struct stat st;
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  // Replacing the link leaves the file it pointed to alone.
  ASSERT_TRUE(WriteFileAtomic(link, "own\n", SymlinkPolicy::kReplaceLink));
  EXPECT_EQ(ReadBytes(real), "through\n");
  EXPECT_EQ(ReadBytes(link), "own\n");
  // A loop of links is refused instead of followed forever.
  ASSERT_EQ(::symlink("loop2", dir.File("loop1").c_str()), 0);
  ASSERT_EQ(::symlink("loop1", dir.File("loop2").c_str()), 0);
  EXPECT_FALSE(WriteFileAtomic(dir.File("loop1"), "x"));
}

TEST(FileQueries, SizesAndKinds) {
  TempDir dir;
  WriteBytes(dir.File("empty"), "");
  WriteBytes(dir.File("three"), "abc");
  EXPECT_EQ(FileSize(dir.File("empty")), 0);
  EXPECT_EQ(FileSize(dir.File("three")), 3);
  EXPECT_EQ(FileSize(dir.File("none")), -1);
  EXPECT_EQ(FileSize(dir.path()), -1);
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(dir.path(), &bytes));
  EXPECT_TRUE(ReadFileBytes(dir.File("three"), &bytes));
  EXPECT_EQ(bytes, "abc");
  EXPECT_TRUE(ReadFileHead(dir.File("three"), 2, &bytes));
  EXPECT_EQ(bytes, "ab");
}

TEST(FileQueries, UnreadableFileIsReportedAsFailure) {
  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not restrict root";
  TempDir dir;
  WriteBytes(dir.File("secret"), "x");
  ASSERT_EQ(::chmod(dir.File("secret").c_str(), 0), 0);
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(dir.File("secret"), &bytes));
}

}  // namespace
}  // namespace quillon
