// The record of the last completed generation run that undo works from: each
// file the run replaced or created, the SHA-256 of what the run wrote, and
// what was there before. It is one file below Backup/, replaced atomically,
// so a run killed at any point leaves the previous record or the new one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_system.h"
#include "io/sha256.h"

namespace quillon {

// The most a record may hold: what undo restores is held in memory, so a
// run whose old files are larger leaves no record, and a larger record
// (a foreign one) is refused instead of read.
inline constexpr std::uint64_t kMaxUndoRecordBytes = 256ull << 20;

struct UndoEntry {
  std::string path;            // absolute
  std::string written_sha256;  // lower-case hex of the bytes the run wrote
  bool created = false;        // the file did not exist before the run
  std::string old_bytes;       // what the run replaced (empty when created)
};

struct UndoRecord {
  std::vector<UndoEntry> entries;  // in the order the run wrote them
};

// Lower-case hex SHA-256 of a regular file, streamed: a file of any size is hashed without
// holding it. `identity` is the file's when the read began.
bool Sha256OfFile(const std::string& path, std::string* hex, FileIdentity* identity);

// "Backup/undo/last-run" in the project directory (`project_directory` ends
// with "/"). Its own folder and a name without ".pb": the backup copy of a
// later run never takes it for a source file.
std::string UndoRecordPath(const std::string& project_directory);
std::string UndoRecordDirectory(const std::string& project_directory);
// The record's path below the project folder.
inline constexpr char kUndoRecordRelative[] = "Backup/undo/last-run";

// Paths inside the project directory are stored relative to it, so a moved
// project folder keeps its record.
std::string EncodeUndoRecord(const UndoRecord& record, const std::string& project_directory);
// The record written in pieces, as EncodeUndoRecord lays it out: the start,
// then per entry its head, the `old_size` old bytes and "\n", then the end.
inline constexpr char kUndoRecordStart[] = "quillon undo record 1\n";
inline constexpr char kUndoRecordEnd[] = "end\n";
std::string UndoEntryHead(const std::string& path, bool created, const std::string& written_sha256,
                          std::uint64_t old_size, const std::string& project_directory);
// Where the hash starts in an entry's head: a later write of the same file
// rewrites it in place (it has a fixed width).
size_t UndoEntryHashOffset(bool created);
// False for anything but a complete record of this format.
bool DecodeUndoRecord(const std::string& bytes, const std::string& project_directory, UndoRecord* record);

}  // namespace quillon
