// Undo after a run killed between any two of its writes: the record is the
// previous run's or the complete new one, never a cut one, and undo touches
// only files that still hold what the recorded run wrote.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <memory>

#include "fault/fault_support.h"
#include "io/disk_file_system.h"
#include "io/file_io.h"
#include "io/forwarding_file_system.h"
#include "run/undo_record.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

// Ends the process right before its write number `kill_at` (from 0); a
// negative number never ends it. Counts the writes it saw.
class KillingWriter final : public ForwardingFileSystem {
 public:
  explicit KillingWriter(long kill_at) : ForwardingFileSystem(disk_), kill_at_(kill_at) {}
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (writes_++ == kill_at_) ::_exit(0);
    return ForwardingFileSystem::ReplaceFile(path, bytes);
  }
  WriteResult CopyFile(const std::string& source, const std::string& destination) override {
    if (writes_++ == kill_at_) ::_exit(0);
    return ForwardingFileSystem::CopyFile(source, destination);
  }
  // Putting the undo record in place counts as a write too.
  bool BeginOwnedFile(const std::string& base, const std::string& relative,
                      std::unique_ptr<StreamedFile>* file) override {
    if (!ForwardingFileSystem::BeginOwnedFile(base, relative, file)) return false;
    *file = std::make_unique<KilledAtFinish>(std::move(*file), *this);
    return true;
  }
  long writes() const { return writes_; }

 private:
  class KilledAtFinish final : public StreamedFile {
   public:
    KilledAtFinish(std::unique_ptr<StreamedFile> file, KillingWriter& writer)
        : file_(std::move(file)), writer_(writer) {}
    bool Append(std::string_view bytes) override { return file_->Append(bytes); }
    bool Overwrite(std::uint64_t offset, std::string_view bytes) override { return file_->Overwrite(offset, bytes); }
    bool Truncate(std::uint64_t size) override { return file_->Truncate(size); }
    std::uint64_t Size() const override { return file_->Size(); }
    WriteResult Finish() override {
      if (writer_.writes_++ == writer_.kill_at_) ::_exit(0);
      return file_->Finish();
    }

   private:
    std::unique_ptr<StreamedFile> file_;
    KillingWriter& writer_;
  };

  DiskFileSystem disk_;
  long kill_at_;
  long writes_ = 0;
};

constexpr char kRecord[] = "Backup/undo/last-run";

TEST(UndoAfterKill, TouchesOnlyFilesThatHoldWhatTheRecordedRunWrote) {
  TempDir prepared;
  PrepareRenamedProject(prepared.path());
  const Tree before = SnapshotTree(prepared.path());
  ASSERT_TRUE(before.count(kRecord)) << "the first run leaves a record";

  long total_writes = 0;
  {
    TempDir counted;
    RestoreTree(counted.path(), before);
    KillingWriter counter(-1);
    ASSERT_EQ(RunRenamedInProcess(counted.path(), &counter).outcome, RunOutcome::kReady);
    total_writes = counter.writes();
  }
  ASSERT_GT(total_writes, 10);

  for (long kill_at = 0; kill_at <= total_writes; ++kill_at) {
    SCOPED_TRACE("killed before write " + std::to_string(kill_at));
    TempDir dir;
    RestoreTree(dir.path(), before);
    const pid_t child = ::fork();
    if (child == 0) {
      KillingWriter writer(kill_at);
      RunRenamedInProcess(dir.path(), &writer);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    const Tree killed = SnapshotTree(dir.path());
    UndoRecord record;
    ASSERT_TRUE(DecodeUndoRecord(killed.at(kRecord), dir.path(), &record));
    const ProcessResult undo = RunQuillon({"--undo", "Example.pbm"}, dir.path());
    EXPECT_TRUE(undo.exit_code == 0 || undo.exit_code == 4) << undo.out << undo.err;
    const Tree undone = SnapshotTree(dir.path());

    Tree all = killed;
    all.insert(undone.begin(), undone.end());
    for (const auto& [rel, unused] : all) {
      if (rel.rfind("Backup/", 0) == 0) continue;
      const bool was = killed.count(rel) > 0;
      const bool is = undone.count(rel) > 0;
      if (was == is && (!was || killed.at(rel) == undone.at(rel))) continue;
      // Changed by undo: only from exactly what the recorded run wrote.
      const UndoEntry* entry = nullptr;
      for (const UndoEntry& e : record.entries) {
        if (e.path == dir.path() + rel) entry = &e;
      }
      ASSERT_NE(entry, nullptr) << rel << " changed by undo without a record";
      ASSERT_TRUE(was) << rel;
      EXPECT_EQ(Sha256Hex(killed.at(rel)), entry->written_sha256) << rel;
      if (entry->created) {
        EXPECT_FALSE(is) << rel;
      } else {
        EXPECT_EQ(undone.at(rel), entry->old_bytes) << rel;
      }
    }
    if (kill_at == total_writes) {
      // The run completed: undo brings back the state before it exactly.
      auto without_backup = [](Tree t) {
        for (auto it = t.begin(); it != t.end();) it = it->first.rfind("Backup/", 0) == 0 ? t.erase(it) : std::next(it);
        return t;
      };
      EXPECT_EQ(undo.exit_code, 0);
      EXPECT_EQ(without_backup(undone), without_backup(before));
    }
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace quillon::testing
