#include "run/undo_record.h"

#include "io/owned_files.h"

namespace quillon {

namespace {

constexpr char kReplaced[] = "replaced";
constexpr char kCreated[] = "created";

// Reads one "word " or "word\n" field at `*at`.
bool ReadField(const std::string& bytes, size_t* at, char end, std::string* field) {
  const size_t stop = bytes.find(end, *at);
  if (stop == std::string::npos) return false;
  *field = bytes.substr(*at, stop - *at);
  *at = stop + 1;
  return true;
}

bool ReadSize(const std::string& bytes, size_t* at, char end, size_t* value) {
  std::string digits;
  if (!ReadField(bytes, at, end, &digits) || digits.empty() || digits.size() > 19) return false;
  size_t result = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<size_t>(c - '0');
  }
  *value = result;
  return true;
}

bool ReadBlock(const std::string& bytes, size_t* at, size_t size, std::string* block) {
  if (size > bytes.size() - *at) return false;
  *block = bytes.substr(*at, size);
  *at += size;
  return true;
}

}  // namespace

bool Sha256OfFile(const std::string& path, std::string* hex, FileIdentity* identity) {
  Sha256 sum;
  const bool read = ReadFileInPieces(
      path, [&sum](const char* data, size_t size) { sum.Update(data, size); }, identity);
  if (read) *hex = sum.FinishHex();
  return read;
}

std::string UndoRecordDirectory(const std::string& project_directory) { return project_directory + "Backup/undo"; }
std::string UndoRecordPath(const std::string& project_directory) { return project_directory + kUndoRecordRelative; }

// Each entry: "replaced|created SHA256 PATHSIZE OLDSIZE\n", the path bytes,
// the old bytes, "\n". Sizes make any byte in a path or a file safe.
std::string UndoEntryHead(const std::string& path, bool created, const std::string& written_sha256,
                          std::uint64_t old_size, const std::string& project_directory) {
  std::string stored = path;
  if (!project_directory.empty() && stored.compare(0, project_directory.size(), project_directory) == 0) {
    stored = stored.substr(project_directory.size());
  }
  return std::string(created ? kCreated : kReplaced) + ' ' + written_sha256 + ' ' + std::to_string(stored.size()) +
         ' ' + std::to_string(old_size) + '\n' + stored;
}

// The kind and one space come first; sizeof counts the space as the NUL.
size_t UndoEntryHashOffset(bool created) { return created ? sizeof kCreated : sizeof kReplaced; }

std::string EncodeUndoRecord(const UndoRecord& record, const std::string& project_directory) {
  std::string out = kUndoRecordStart;
  for (const UndoEntry& entry : record.entries) {
    out += UndoEntryHead(entry.path, entry.created, entry.written_sha256, entry.old_bytes.size(), project_directory);
    out += entry.old_bytes;
    out += '\n';
  }
  out += kUndoRecordEnd;
  return out;
}

bool DecodeUndoRecord(const std::string& bytes, const std::string& project_directory, UndoRecord* record) {
  record->entries.clear();
  if (bytes.compare(0, sizeof(kUndoRecordStart) - 1, kUndoRecordStart) != 0) return false;
  size_t at = sizeof(kUndoRecordStart) - 1;
  while (at < bytes.size()) {
    if (bytes.compare(at, std::string::npos, kUndoRecordEnd) == 0) return true;
    UndoEntry entry;
    std::string kind;
    size_t path_size = 0;
    size_t old_size = 0;
    std::string path;
    if (!ReadField(bytes, &at, ' ', &kind) || (kind != kReplaced && kind != kCreated)) return false;
    entry.created = kind == kCreated;
    if (!ReadField(bytes, &at, ' ', &entry.written_sha256) || entry.written_sha256.size() != 64) return false;
    if (!ReadSize(bytes, &at, ' ', &path_size) || !ReadSize(bytes, &at, '\n', &old_size)) return false;
    if (path_size == 0 || !ReadBlock(bytes, &at, path_size, &path)) return false;
    if (!ReadBlock(bytes, &at, old_size, &entry.old_bytes)) return false;
    if (at >= bytes.size() || bytes[at] != '\n') return false;
    ++at;
    entry.path = path[0] == '/' ? path : project_directory + path;
    record->entries.push_back(std::move(entry));
  }
  return false;  // no end line: not a complete record
}

}  // namespace quillon
