// The three file systems against one scenario, so that a dry run (the
// overlay) and the in-memory file system of tests report exactly what the
// disk does; and the disk's check of files changed by another program.
#include "io/file_system.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "io/disk_file_system.h"
#include "io/file_io.h"
#include "io/memory_file_system.h"
#include "io/overlay_file_system.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Trace = std::vector<std::string>;
// What another program does to a file meanwhile.
using ExternalWrite = std::function<void(const std::string& path, const std::string& bytes)>;

const char* Name(WriteResult r) {
  switch (r) {
    case WriteResult::kWritten: return "written";
    case WriteResult::kFailed: return "failed";
    case WriteResult::kChanged: return "changed";
  }
  return "?";
}

const char* Name(LockResult r) {
  switch (r) {
    case LockResult::kLocked: return "locked";
    case LockResult::kBusy: return "busy";
    case LockResult::kUnavailable: return "unavailable";
  }
  return "?";
}

Trace RunScenario(FileSystem& fs, const std::string& root, const ExternalWrite& external) {
  Trace trace;
  auto read = [&](const std::string& name) {
    std::string bytes;
    trace.push_back("read " + name + ": " + (fs.ReadFile(root + name, &bytes) ? bytes : "<none>"));
  };
  auto replace = [&](const std::string& name, const std::string& bytes) {
    trace.push_back("replace " + name + ": " + Name(fs.ReplaceFile(root + name, bytes)));
  };
  external(root + "Main.pb", "old");
  external(root + "Tools.pbi", "tools");
  trace.push_back(std::string("backup folder: ") + (fs.MakePrivateFolder(root + "Backup") ? "ok" : "refused"));
  read("Main.pb");
  replace("Main.pb", "new");
  read("Main.pb");              // the run's own write is read back
  replace("Main.pb", "newer");  // and is no change by another program
  read("Missing.pb");
  external(root + "Missing.pb", "theirs");
  replace("Missing.pb", "ours");
  read("Tools.pbi");
  external(root + "Tools.pbi", "edited elsewhere");
  replace("Tools.pbi", "renamed");
  replace("Backup", "over a folder");
  replace("New.pb", "never read");
  trace.push_back(std::string("copy: ") + Name(fs.CopyFile(root + "New.pb", root + "Backup/New.pb")));
  trace.push_back(std::string("copy of nothing: ") + Name(fs.CopyFile(root + "None.pb", root + "Backup/None.pb")));
  {
    // Written in pieces; the one dropped unfinished leaves nothing.
    std::unique_ptr<StreamedFile> own, dropped;
    const bool written = fs.BeginOwnedFile(root, "Backup/own", &own) &&
                         fs.BeginOwnedFile(root, "Backup/dropped", &dropped) && own->Append("abcdef") &&
                         own->Overwrite(1, "B") && own->Truncate(4) && own->Append("!") && own->Size() == 5;
    trace.push_back(std::string("own file: ") + (written ? Name(own->Finish()) : "refused"));
  }
  read("Backup/own");
  trace.push_back("dropped: " + std::to_string(static_cast<int>(fs.KindOf(root + "Backup/dropped"))));
  std::vector<std::string> names;
  fs.ListFolder(root, &names);
  std::sort(names.begin(), names.end());
  std::string listed = "listed:";
  for (const std::string& n : names) listed += " " + n;
  trace.push_back(listed);
  trace.push_back(std::string("kinds: ") + std::to_string(static_cast<int>(fs.KindOf(root + "New.pb"))) +
                  std::to_string(static_cast<int>(fs.KindOf(root + "Backup"))) +
                  std::to_string(static_cast<int>(fs.KindOf(root + "None.pb"))));
  {
    std::unique_ptr<FolderLock> first, second;
    trace.push_back(std::string("lock: ") + Name(fs.LockFolder(root, &first)));
    trace.push_back(std::string("second lock: ") + Name(fs.LockFolder(root, &second)));
  }
  std::unique_ptr<FolderLock> again;
  trace.push_back(std::string("lock after release: ") + Name(fs.LockFolder(root, &again)));
  return trace;
}

const Trace kExpected = {
    "backup folder: ok",
    "read Main.pb: old",
    "replace Main.pb: written",
    "read Main.pb: new",
    "replace Main.pb: written",
    "read Missing.pb: <none>",
    "replace Missing.pb: changed",
    "read Tools.pbi: tools",
    "replace Tools.pbi: changed",
    "replace Backup: failed",
    "replace New.pb: written",
    "copy: written",
    "copy of nothing: failed",
    "own file: written",
    "read Backup/own: aBcd!",
    "dropped: 0",
    "listed: Backup Main.pb Missing.pb New.pb Tools.pbi",
    "kinds: 120",
    "lock: locked",
    "second lock: busy",
    "lock after release: locked",
};

void WriteOnDisk(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }

TEST(FileSystemParity, DiskOverlayAndMemoryAgree) {
  TempDir disk_dir;
  DiskFileSystem disk;
  disk.SetProjectFolder(disk_dir.path());
  EXPECT_EQ(RunScenario(disk, disk_dir.path(), WriteOnDisk), kExpected);
  EXPECT_EQ(ReadBytes(disk_dir.File("Main.pb")), "newer");
  EXPECT_EQ(ReadBytes(disk_dir.File("Missing.pb")), "theirs");
  EXPECT_EQ(ReadBytes(disk_dir.File("Tools.pbi")), "edited elsewhere");
  EXPECT_EQ(ReadBytes(disk_dir.File("Backup/New.pb")), "never read");

  // The dry run: the same answers, and the disk below stays as it was.
  TempDir overlay_dir;
  DiskFileSystem below;
  below.SetProjectFolder(overlay_dir.path());
  OverlayFileSystem overlay(below);
  EXPECT_EQ(RunScenario(overlay, overlay_dir.path(), WriteOnDisk), kExpected);
  EXPECT_EQ(ReadBytes(overlay_dir.File("Main.pb")), "old");
  EXPECT_EQ(KindOfPath(overlay_dir.File("New.pb")), FileKind::kMissing);
  EXPECT_EQ(KindOfPath(overlay_dir.File("Backup")), FileKind::kMissing);
  ASSERT_EQ(overlay.outputs().size(), 3u);
  EXPECT_EQ(overlay.outputs()[0].path, overlay_dir.File("Main.pb"));
  EXPECT_EQ(overlay.outputs()[0].bytes, "newer");
  EXPECT_EQ(overlay.outputs()[1].path, overlay_dir.File("New.pb"));

  MemoryFileSystem memory;
  memory.PutFolder("/mem");
  EXPECT_EQ(RunScenario(memory, "/mem/", [&](const std::string& p, const std::string& b) { memory.PutFile(p, b); }),
            kExpected);
  EXPECT_EQ(*memory.Find("/mem/Main.pb"), "newer");
}

// A dry run that writes one path twice keeps one entry for it, at the place
// of its first write, with the last bytes, and serves those to every read:
// the preview shows each file once, as the real run leaves it.
TEST(OverlayFileSystem, SecondWriteOfAPathReplacesTheFirst) {
  TempDir dir;
  DiskFileSystem below;
  below.SetProjectFolder(dir.path());
  OverlayFileSystem overlay(below);
  ASSERT_EQ(overlay.ReplaceFile(dir.File("Main.pb"), "first"), WriteResult::kWritten);
  ASSERT_EQ(overlay.ReplaceFile(dir.File("Tools.pbi"), "tools"), WriteResult::kWritten);
  ASSERT_EQ(overlay.ReplaceFile(dir.File("Main.pb"), "second"), WriteResult::kWritten);

  ASSERT_EQ(overlay.outputs().size(), 2u);
  EXPECT_EQ(overlay.outputs()[0].path, dir.File("Main.pb"));
  EXPECT_EQ(overlay.outputs()[0].bytes, "second");
  EXPECT_EQ(overlay.outputs()[1].path, dir.File("Tools.pbi"));
  std::string bytes;
  ASSERT_TRUE(overlay.ReadFile(dir.File("Main.pb"), &bytes));
  EXPECT_EQ(bytes, "second");
  ASSERT_TRUE(overlay.ReadHead(dir.File("Main.pb"), 3, &bytes));
  EXPECT_EQ(bytes, "sec");
  std::vector<std::string> names;
  ASSERT_TRUE(overlay.ListFolder(dir.path(), &names));
  EXPECT_EQ(std::count(names.begin(), names.end(), "Main.pb"), 1);
  EXPECT_EQ(KindOfPath(dir.File("Main.pb")), FileKind::kMissing);
}

// F5: an editor's save while the run works on a file it read is kept.
TEST(ChangedDuringRun, InPlaceAndAtomicSavesAreDetected) {
  TempDir dir;
  DiskFileSystem disk;
  disk.SetProjectFolder(dir.path());
  const std::string gadget = dir.File("EventGadget.pb");
  std::string bytes;

  // Read while the editor had truncated the file, before it wrote the lines.
  WriteBytes(gadget, "");
  ASSERT_TRUE(disk.ReadFile(gadget, &bytes));
  std::string lines;
  for (int i = 0; i < 900; ++i) lines += "  ; line " + std::to_string(i) + "\n";
  WriteBytes(gadget, lines);
  EXPECT_EQ(disk.CheckReplace(gadget), WriteResult::kChanged);
  EXPECT_EQ(disk.ReplaceFile(gadget, "generated"), WriteResult::kChanged);
  EXPECT_EQ(ReadBytes(gadget), lines);

  // An editor that saves a new file and renames it over the old one.
  ASSERT_TRUE(disk.ReadFile(gadget, &bytes));
  WriteBytes(dir.File("saved.tmp"), lines);
  ASSERT_EQ(::rename(dir.File("saved.tmp").c_str(), gadget.c_str()), 0);
  EXPECT_EQ(disk.ReplaceFile(gadget, "generated"), WriteResult::kChanged);
  EXPECT_EQ(ReadBytes(gadget), lines);

  // Read again, unchanged since: the run's version goes in.
  ASSERT_TRUE(disk.ReadFile(gadget, &bytes));
  EXPECT_EQ(disk.ReplaceFile(gadget, "generated"), WriteResult::kWritten);
  EXPECT_EQ(ReadBytes(gadget), "generated");
}

// One file under two names (an include named "Forms/../Main.pb"): the run's
// write under one name is no change by another program under the other.
TEST(ChangedDuringRun, OwnWriteUnderAnotherNameIsNoChange) {
  TempDir dir;
  ASSERT_TRUE(MakeDirectory(dir.File("Forms"), 0755));
  DiskFileSystem disk;
  disk.SetProjectFolder(dir.path());
  WriteBytes(dir.File("Main.pb"), "old");
  std::string bytes;
  ASSERT_TRUE(disk.ReadFile(dir.File("Main.pb"), &bytes));
  ASSERT_TRUE(disk.ReadFile(dir.File("Forms/../Main.pb"), &bytes));
  EXPECT_EQ(disk.ReplaceFile(dir.File("Forms/../Main.pb"), "include updated"), WriteResult::kWritten);
  EXPECT_EQ(disk.ReplaceFile(dir.File("Main.pb"), "generated"), WriteResult::kWritten);
  EXPECT_EQ(ReadBytes(dir.File("Main.pb")), "generated");
}

}  // namespace
}  // namespace quillon
