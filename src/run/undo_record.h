// The record of the last completed generation run that undo works from: each
// file the run replaced or created, the SHA-256 of what the run wrote, and
// what was there before. It is one file below Backup/, replaced atomically,
// so a run killed at any point leaves the previous record or the new one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct UndoEntry {
  std::string path;            // absolute
  std::string written_sha256;  // lower-case hex of the bytes the run wrote
  bool created = false;        // the file did not exist before the run
  std::string old_bytes;       // what the run replaced (empty when created)
};

struct UndoRecord {
  std::vector<UndoEntry> entries;  // in the order the run wrote them
};

// Lower-case hex SHA-256 of `bytes`.
std::string Sha256Hex(std::string_view bytes);

// "Backup/undo/last-run" in the project directory (`project_directory` ends
// with "/"). Its own folder and a name without ".pb": the backup copy of a
// later run never takes it for a source file.
std::string UndoRecordPath(const std::string& project_directory);
std::string UndoRecordDirectory(const std::string& project_directory);

// Paths inside the project directory are stored relative to it, so a moved
// project folder keeps its record.
std::string EncodeUndoRecord(const UndoRecord& record, const std::string& project_directory);
// False for anything but a complete record of this format.
bool DecodeUndoRecord(const std::string& bytes, const std::string& project_directory, UndoRecord* record);

}  // namespace quillon
