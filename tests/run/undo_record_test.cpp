// The undo record's format: every byte of paths and contents survives, and
// anything short of a complete record is refused.
#include "run/undo_record.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillon
