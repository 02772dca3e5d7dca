// The undo record's format: every byte of paths and contents survives, and
// anything short of a complete record is refused.
#include "run/undo_record.h"

#include <gtest/gtest.h>

#include "io/disk_file_system.h"
#include "run/undo_journal.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(UndoRecord, RoundTripsAnyBytesAndRefusesEveryCutOrChangedRecord) {
  UndoRecord record;
  record.entries.push_back({"/p/Main.pb", Sha256Hex("new"), false, std::string("old\nreplaced 1 2\n\0\xff", 20)});
  record.entries.push_back({"/p/sub dir/odd\nname.pbi", Sha256Hex(""), true, ""});
  record.entries.push_back({"/elsewhere/Tools.pbi", Sha256Hex("x"), false, "end\n"});
  const std::string bytes = EncodeUndoRecord(record, "/p/");
  // Inside the project folder paths are kept relative: a moved folder keeps its record.
  EXPECT_EQ(bytes.find("/p/Main.pb"), std::string::npos);

  UndoRecord moved;
  ASSERT_TRUE(DecodeUndoRecord(bytes, "/q/", &moved));
  ASSERT_EQ(moved.entries.size(), 3u);
  EXPECT_EQ(moved.entries[0].path, "/q/Main.pb");
  EXPECT_EQ(moved.entries[0].old_bytes, record.entries[0].old_bytes);
  EXPECT_EQ(moved.entries[1].path, "/q/sub dir/odd\nname.pbi");
  EXPECT_TRUE(moved.entries[1].created);
  EXPECT_EQ(moved.entries[2].path, "/elsewhere/Tools.pbi");
  EXPECT_EQ(moved.entries[2].old_bytes, "end\n");
  EXPECT_EQ(moved.entries[2].written_sha256, Sha256Hex("x"));

  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    UndoRecord partial;
    EXPECT_FALSE(DecodeUndoRecord(bytes.substr(0, cut), "/p/", &partial)) << cut;
  }
  EXPECT_FALSE(DecodeUndoRecord(bytes + "x", "/p/", &moved));
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

// A file the run writes twice (Main.pb that includes itself): undo restores
// what stood before the first write once the file holds the second.
TEST(UndoJournal, AFileWrittenTwiceKeepsTheFirstOldBytesAndTheLastHash) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("Main.pb"), "before");
  Project project;
  project.project_path = dir.TextPath("Example.pbm");
  DiskFileSystem disk;
  UndoJournal journal(disk, project);
  ASSERT_EQ(journal.ReplaceFile(dir.File("Main.pb"), "first"), WriteResult::kWritten);
  ASSERT_EQ(journal.ReplaceFile(dir.File("Main.pb"), "second"), WriteResult::kWritten);
  ASSERT_TRUE(journal.Save());
  UndoRecord record;
  ASSERT_TRUE(DecodeUndoRecord(testing::ReadBytes(dir.File(kUndoRecordRelative)), dir.path(), &record));
  ASSERT_EQ(record.entries.size(), 1u);
  EXPECT_EQ(record.entries[0].old_bytes, "before");
  EXPECT_EQ(record.entries[0].written_sha256, Sha256Hex("second"));
}

}  // namespace
}  // namespace quillon
