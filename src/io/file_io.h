// Plain file access. Every write of the program goes through WriteFileAtomic
// (directly or through an OutputWriter), so a failed or interrupted write
// never leaves a cut file behind.
#pragma once

#include <string>
#include <vector>

#include "io/file_system.h"

namespace quillon {

// Helpers on the disk for what lies outside a generation run (settings, the
// user gadget list, the window's file choosers). A run reads and writes
// through its FileSystem instead.

bool ReadFileBytes(const std::string& path, std::string* out);
// As ReadFileBytes; `identity` is the file's identity when the read began
// (exists false when there was no file to open).
bool ReadFileWithIdentity(const std::string& path, std::string* out, FileIdentity* identity);
// Up to `count` bytes from the start of the file.
bool ReadFileHead(const std::string& path, size_t count, std::string* out);
bool FileExists(const std::string& path);  // any kind of entry
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// Size in bytes of an existing regular file, -1 otherwise.
long long FileSize(const std::string& path);
FileKind KindOfPath(const std::string& path);

enum class SymlinkPolicy {
  kWriteThrough,  // a symlinked target is written at its real path
  kReplaceLink,   // a symlink at the target path is replaced, never followed
};

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it
// over `path`, under the write rules (links, owners, modes; the trusted
// owner is the owner of the folder that holds `path`). On any failure the
// old file is intact, the temporary file is removed and false is returned.
bool WriteFileAtomic(const std::string& path, const std::string& bytes,
                     SymlinkPolicy policy = SymlinkPolicy::kWriteThrough);

// The path a symlink holds; false when `path` is no readable link.
bool ReadSymlink(const std::string& path, std::string* target);

// Creates one directory with `mode`; true when it exists afterwards.
bool MakeDirectory(const std::string& path, unsigned mode);

// Names of the entries of a directory (no "." and ".."), in the order the
// system lists them. False when it cannot be listed.
bool ListDirectory(const std::string& path, std::vector<std::string>* names);

}  // namespace quillon
