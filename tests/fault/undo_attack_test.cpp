// Undo of a project folder that may come from anyone, through the program
// as a user runs it (as root in the suite and as nobody in the unprivileged
// pass): a crafted record, links where the record lies, a huge record, a
// run in progress and a misspelt command line change no file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "fault/fault_support.h"
#include "io/disk_file_system.h"
#include "io/forwarding_file_system.h"
#include "run/undo_last_run.h"
#include "run/undo_record.h"
#include "support/quillon_process.h"

namespace quillon::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

constexpr char kVictim[] = "not the project's\n";

class UndoAttacks : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareRenamedProject(dir.path());
    ASSERT_EQ(Run({"--generate", "Example.pbm", kRenameBind[0], kRenameBind[1]}).exit_code, 0);
    ASSERT_TRUE(DecodeUndoRecord(ReadBytes(dir.File(kUndoRecordRelative)), dir.path(), &record));
    for (const char* name : {"victim", "victim2", "victim3", "victim4"}) WriteBytes(victim.File(name), kVictim);
  }
  ProcessResult Run(const std::vector<std::string>& args) { return RunQuillon(args, dir.path()); }
  ProcessResult Undo(bool dry_run = false) {
    return Run(dry_run ? std::vector<std::string>{"--undo", "Example.pbm", "--dry-run"}
                       : std::vector<std::string>{"--undo", "Example.pbm"});
  }
  void WriteRecord() { WriteBytes(dir.File(kUndoRecordRelative), EncodeUndoRecord(record, dir.path())); }
  TempDir dir;
  TempDir victim;
  UndoRecord record;
};

TEST_F(UndoAttacks, ACraftedRecordTouchesNothingOutsideTheProject) {
  // Named absolutely, by "../", through a link in the project, and one the run "created".
  ASSERT_EQ(::symlink(victim.File("victim3").c_str(), dir.File("Linked.pb").c_str()), 0);
  const std::string folder = victim.path().substr(victim.path().rfind('/', victim.path().size() - 2) + 1);
  const std::string dotdot = dir.path() + "../" + folder + "victim2";
  const std::string paths[] = {victim.File("victim"), dotdot, dir.File("Linked.pb"), victim.File("victim4")};
  std::string kept;
  for (const std::string& path : paths) {
    // An entry undo would act on: the file holds what it names as written.
    const bool created = path == paths[3];
    record.entries.push_back({path, Sha256Hex(kVictim), created, created ? "" : "overwritten by undo\n"});
    kept += " -> Kept " + path + ": outside the project\n";
  }
  WriteRecord();
  const Tree before = SnapshotTree(dir.path());
  for (const bool dry_run : {true, false}) {
    const ProcessResult undo = Undo(dry_run);
    EXPECT_EQ(undo.exit_code, 4) << undo.out << undo.err;
    EXPECT_EQ(undo.out, kept + "Ready.\n\n");
    for (const char* name : {"victim", "victim2", "victim3", "victim4"})
      EXPECT_EQ(ReadBytes(victim.File(name)), kVictim);
    EXPECT_EQ(SnapshotTree(dir.path()), before);
  }
}

TEST_F(UndoAttacks, ALinkAtTheRecordOrItsFolderIsNeverFollowed) {
  // A link shipped at the record's place: the next run replaces the link.
  ::unlink(dir.File(kUndoRecordRelative).c_str());
  ASSERT_EQ(::symlink(victim.File("victim").c_str(), dir.File(kUndoRecordRelative).c_str()), 0);
  ASSERT_EQ(Run({"--generate", "Example.pbm"}).exit_code, 0);
  EXPECT_EQ(ReadBytes(victim.File("victim")), kVictim);
  UndoRecord written;
  EXPECT_TRUE(DecodeUndoRecord(ReadBytes(dir.File(kUndoRecordRelative)), dir.path(), &written));

  // A linked record folder holds a foreign record: undo neither uses nor removes it.
  ASSERT_EQ(::rename(dir.File("Backup/undo").c_str(), victim.File("undo").c_str()), 0);
  ASSERT_EQ(::symlink(victim.File("undo").c_str(), dir.File("Backup/undo").c_str()), 0);
  const Tree before = SnapshotTree(dir.path());
  const ProcessResult undo = Undo();
  EXPECT_EQ(undo.exit_code, 4) << undo.out << undo.err;
  EXPECT_EQ(SnapshotTree(dir.path()), before);
  EXPECT_TRUE(IsRegularFile(victim.File("undo/last-run")));
}

TEST_F(UndoAttacks, AHugeRecordIsAnErrorLineNotAnAbort) {
  const std::string path = dir.File(kUndoRecordRelative);
  ::unlink(path.c_str());
  const Tree before = SnapshotTree(dir.path());
  WriteBytes(path, "");
  ASSERT_EQ(::truncate(path.c_str(), 100LL << 30), 0);  // sparse
  for (const bool dry_run : {true, false}) {
    const ProcessResult undo = Undo(dry_run);
    EXPECT_EQ(undo.exit_code, 4) << undo.err;
    EXPECT_TRUE(Contains(undo.out, " -> Error File " + path)) << undo.out;
  }
  EXPECT_EQ(FileSize(path), 100LL << 30);
  ::unlink(path.c_str());
  EXPECT_EQ(SnapshotTree(dir.path()), before);
}

TEST_F(UndoAttacks, UndoRefusesOtherOptionsAMisspeltProjectAndARunInProgress) {
  const Tree before = SnapshotTree(dir.path());
  using Args = std::vector<std::string>;
  for (const Args& extra : {Args{"--check"}, Args{"--drop-unbound"}, Args{"--bind-suggested"},
                            Args{"--bind", "Window:A=B"}, Args{"--user-list", "x"}}) {
    Args args{"--undo", "Example.pbm"};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(Run(args).exit_code, 2) << extra[0];
  }
  EXPECT_EQ(Run({"--undo", "Exmaple.pbm"}).exit_code, 2);
  const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(folder, LOCK_EX), 0);
  const ProcessResult locked = Undo();
  ::close(folder);
  EXPECT_EQ(locked.exit_code, 1);
  EXPECT_TRUE(Contains(locked.out, "another run of this project is in progress")) << locked.out;
  EXPECT_EQ(SnapshotTree(dir.path()), before);
}

TEST_F(UndoAttacks, UndoIsAllOrNothing) {
  const Tree after_run = SnapshotTree(dir.path());
  ReplaceInFile(dir.File("EventGadget.pb"), "SetGadgetText(", "Debug 1 : SetGadgetText(");
  const Tree edited = SnapshotTree(dir.path());
  const ProcessResult undo = Undo();
  EXPECT_EQ(undo.exit_code, 4);
  EXPECT_EQ(undo.out, " -> Kept " + dir.File("EventGadget.pb") + ": changed since the run\nReady.\n\n");
  EXPECT_EQ(SnapshotTree(dir.path()), edited);  // nothing restored, the record kept

  // Taken back, the file lets undo through; a file already holding its old
  // bytes and a second spelling of a file count as restored.
  WriteBytes(dir.File("EventGadget.pb"), after_run.at("EventGadget.pb"));
  for (const UndoEntry& entry : record.entries) {
    if (entry.path == dir.File("Tools.pbi")) WriteBytes(entry.path, entry.old_bytes);
  }
  UndoEntry second = record.entries.front();
  second.path = dir.path() + "forms/../" + second.path.substr(dir.path().size());
  record.entries.push_back(second);
  WriteRecord();
  const ProcessResult again = Undo();
  EXPECT_EQ(again.exit_code, 0) << again.out;
  EXPECT_TRUE(Contains(again.out, " -> Restored " + dir.File("Tools.pbi") + "\n")) << again.out;
  EXPECT_FALSE(Contains(again.out, "forms/../")) << again.out;
  EXPECT_FALSE(IsRegularFile(dir.File(kUndoRecordRelative)));
}

// Another program saves one file during the undo, another cannot be written.
class RacedDisk final : public ForwardingFileSystem {
 public:
  explicit RacedDisk(const std::string& dir) : ForwardingFileSystem(disk_), dir_(dir) {}
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (path == dir_ + "EventGadget.pb") return WriteResult::kChanged;
    if (path == dir_ + "Tools.pbi") return WriteResult::kFailed;
    return ForwardingFileSystem::ReplaceFile(path, bytes);
  }

 private:
  DiskFileSystem disk_;
  std::string dir_;
};

TEST_F(UndoAttacks, AFailedRestoreIsNamedAndKeepsTheRecordForARetry) {
  RacedDisk raced(dir.path());
  std::string log;
  const UndoOutcome outcome =
      UndoLastRun(dir.path(), raced, false, [&log](const Text& line) { log += ToUtf8(line) + "\n"; });
  EXPECT_EQ(outcome, UndoOutcome::kSomeKept);
  EXPECT_TRUE(Contains(log, " -> Error: " + dir.File("EventGadget.pb") + " was changed by another program")) << log;
  EXPECT_TRUE(Contains(log, " -> Error WriteFile " + dir.File("Tools.pbi"))) << log;
  for (const char* name : {"EventGadget.pb", "Tools.pbi"}) {
    EXPECT_FALSE(Contains(log, " -> Restored " + dir.File(name))) << log;
  }
  ASSERT_TRUE(IsRegularFile(dir.File(kUndoRecordRelative)));
  const ProcessResult retry = Undo();
  EXPECT_EQ(retry.exit_code, 0) << retry.out;
  EXPECT_TRUE(Contains(retry.out, " -> Restored " + dir.File("EventMain.pb") + "\n")) << retry.out;
}

}  // namespace
}  // namespace quillon::testing
