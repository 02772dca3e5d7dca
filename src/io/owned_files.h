// Files the program keeps below a project folder for itself (the undo
// record), and files undo removes. A project folder may come from anyone:
// every folder on the way must be a real folder (never a link) of the
// project folder's owner, and nothing here follows a link.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "io/file_system.h"

namespace quillon {

enum class OwnedRead {
  kRead,
  kMissing,   // no entry at the path
  kRefused,   // a link, a foreign folder or file, not a regular file
  kTooLarge,  // larger than the limit given
  kFailed,    // could not be read
};

// Reads `relative` ("Backup/undo/last-run") below `base`: each folder on the
// way and the file itself must be owned by the owner of `base`, none of
// them a link. At most `limit` bytes are held: a larger file is kTooLarge.
OwnedRead ReadOwnedFile(const std::string& base, const std::string& relative, std::uint64_t limit, std::string* bytes);
// Like ReadOwnedFile, without reading: what a read would find.
OwnedRead LookAtOwnedFile(const std::string& base, const std::string& relative, std::uint64_t limit);
// The modification time (seconds) of the file ReadOwnedFile would read; -1
// when there is none.
long long OwnedFileTime(const std::string& base, const std::string& relative);
// Begins the file that replaces `relative` below `base` when finished, in
// its folder opened by the same rules; the entry there is replaced, never
// followed. Null when the folders break the rules or the file cannot be made.
std::unique_ptr<StreamedFile> BeginOwnedFile(const std::string& base, const std::string& relative);
// Removes the regular file at `relative` below `base` (same rules).
bool RemoveOwnedFile(const std::string& base, const std::string& relative);

// Streams a regular file (links followed) through `sink` in pieces, holding
// one piece at a time: a file of any size passes. `identity` is the file's
// identity when the read began.
bool ReadFileInPieces(const std::string& path, const std::function<void(const char*, size_t)>& sink,
                      FileIdentity* identity);

// The path without links, "." and ".."; a missing file by its resolved
// folder. False for a link that leads nowhere and a folder that is missing.
bool ResolvedPathOrFolder(const std::string& path, std::string* resolved);

// Under the write rules for a removal: a regular file (not a link, not a
// device) owned by `owner_uid` that its owner has not made read-only.
bool MayRemoveFile(const std::string& path, long long owner_uid);
bool RemoveFileUnderRules(const std::string& path, long long owner_uid);

}  // namespace quillon
