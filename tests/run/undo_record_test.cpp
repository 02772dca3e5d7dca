// The undo record's format: every byte of paths and contents survives, and
// anything short of a complete record is refused.
#include "run/undo_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "io/disk_file_system.h"
#include "io/file_io.h"
#include "io/forwarding_file_system.h"
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

// A record file with room for `room` bytes, as on a disk that fills up.
class CrampedRecord final : public StreamedFile {
 public:
  CrampedRecord(std::unique_ptr<StreamedFile> file, std::uint64_t room) : file_(std::move(file)), room_(room) {}
  bool Append(std::string_view bytes) override { return Size() + bytes.size() <= room_ && file_->Append(bytes); }
  bool Overwrite(std::uint64_t offset, std::string_view bytes) override { return file_->Overwrite(offset, bytes); }
  bool Truncate(std::uint64_t size) override { return file_->Truncate(size); }
  std::uint64_t Size() const override { return file_->Size(); }
  WriteResult Finish() override { return file_->Finish(); }

 private:
  std::unique_ptr<StreamedFile> file_;
  std::uint64_t room_;
};

// The disk with a cramped record; every write of Refused.pb fails.
class CrampedDisk final : public ForwardingFileSystem {
 public:
  explicit CrampedDisk(std::uint64_t room) : ForwardingFileSystem(disk_), room_(room) {}
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (path.find("Refused.pb") != std::string::npos) return WriteResult::kFailed;
    return ForwardingFileSystem::ReplaceFile(path, bytes);
  }
  bool BeginOwnedFile(const std::string& base, const std::string& relative,
                      std::unique_ptr<StreamedFile>* file) override {
    if (!ForwardingFileSystem::BeginOwnedFile(base, relative, file)) return false;
    *file = std::make_unique<CrampedRecord>(std::move(*file), room_);
    return true;
  }

 private:
  DiskFileSystem disk_;
  std::uint64_t room_;
};

void PrepareWithRecord(const testing::TempDir& dir, Project* project) {
  ASSERT_EQ(::mkdir(dir.File("Backup").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir.File("Backup/undo").c_str(), 0700), 0);
  testing::WriteBytes(dir.File(kUndoRecordRelative), "previous");
  project->project_path = dir.TextPath("Example.pbm");
}

std::vector<std::string> RecordFolder(const testing::TempDir& dir) {
  std::vector<std::string> names;
  EXPECT_TRUE(ListDirectory(dir.File("Backup/undo"), &names));
  return names;
}

// Written as the run goes, the record ends byte for byte as the encoded
// entries (a refused write leaves no entry). One that cannot be completed,
// or a run that ends without saving, leaves the previous record and no
// other file beside it.
TEST(UndoJournal, TheStreamedRecordIsTheEncodedOneOrThePreviousStays) {
  const std::string large(150000, 'o');  // copied in several pieces
  const auto expected = [&large](const std::string& dir) {
    UndoRecord record;
    record.entries = {{dir + "Main.pb", Sha256Hex("second"), false, large},
                      {dir + "New.pb", Sha256Hex("new"), true, ""}};
    return EncodeUndoRecord(record, dir);
  };
  const std::uint64_t complete_size = expected("/p/").size();
  const struct {
    std::uint64_t room;
    bool save;
  } kCases[] = {{UINT64_MAX, true}, {100000, true}, {complete_size - 1, true}, {UINT64_MAX, false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE("room " + std::to_string(c.room) + (c.save ? ", saved" : ", not saved"));
    testing::TempDir dir;
    testing::WriteBytes(dir.File("Main.pb"), large);
    testing::WriteBytes(dir.File("Refused.pb"), "refused");
    Project project;
    PrepareWithRecord(dir, &project);
    const bool completes = c.save && c.room == UINT64_MAX;
    {
      CrampedDisk disk(c.room);
      UndoJournal journal(disk, project);
      EXPECT_EQ(journal.ReplaceFile(dir.File("Main.pb"), "first"), WriteResult::kWritten);
      EXPECT_EQ(journal.ReplaceFile(dir.File("Refused.pb"), "x"), WriteResult::kFailed);
      EXPECT_EQ(journal.ReplaceFile(dir.File("New.pb"), "new"), WriteResult::kWritten);
      EXPECT_EQ(journal.ReplaceFile(dir.File("Main.pb"), "second"), WriteResult::kWritten);
      if (c.save) {
        EXPECT_EQ(journal.Save(), completes);
      }
    }
    EXPECT_EQ(testing::ReadBytes(dir.File(kUndoRecordRelative)), completes ? expected(dir.path()) : "previous");
    EXPECT_EQ(RecordFolder(dir), std::vector<std::string>{"last-run"});
  }
  // Old bytes past what a record may hold: no record, and the previous one
  // goes too (its files hold this run's bytes now).
  testing::TempDir dir;
  Project project;
  PrepareWithRecord(dir, &project);
  testing::WriteBytes(dir.File("Main.pb"), "");
  ASSERT_EQ(::truncate(dir.File("Main.pb").c_str(), kMaxUndoRecordBytes + 1), 0);  // sparse
  CrampedDisk disk(UINT64_MAX);
  UndoJournal journal(disk, project);
  EXPECT_EQ(journal.ReplaceFile(dir.File("New.pb"), "new"), WriteResult::kWritten);
  EXPECT_EQ(journal.ReplaceFile(dir.File("Main.pb"), "small"), WriteResult::kWritten);
  EXPECT_FALSE(journal.Save());
  EXPECT_EQ(RecordFolder(dir), std::vector<std::string>{});
}

}  // namespace
}  // namespace quillon
