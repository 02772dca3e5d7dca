// The rules and mechanics of replacing a file on disk, shared by the disk
// file system and the plain write helpers: where a write lands (links), who
// may own what it replaces, which mode and owner the new file gets, and the
// temporary file that becomes the new version with one rename.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <string_view>

#include "io/file_system.h"

namespace quillon::disk {

// The owner a write target must have. `uid` < 0: the owner of the folder
// that holds each target.
struct TrustedOwner {
  long long uid = -1;
  long long gid = -1;
};

// The owner of a folder; uid -1 when it cannot be looked at.
TrustedOwner OwnerOfFolder(const std::string& folder);

struct WriteTarget {
  std::string path;     // the entry the rename replaces
  bool exists = false;  // `status` is valid only then
  struct stat status;
};

// Decides where replacing `path` writes. A link is followed only to a
// regular file owned by the trusted owner, or to a missing entry in a
// folder of that owner. Devices, FIFOs, sockets, folders, files of other
// users and files the caller may not write are refused (false).
// `follow_links` false: a link at `path` is replaced itself.
bool ResolveWriteTarget(const std::string& path, TrustedOwner trusted, bool follow_links, WriteTarget* out);

FileIdentity IdentityFromStatus(const struct stat& st);
// The identity of the entry a path names, links followed.
FileIdentity IdentityAt(const std::string& path);

// The process's umask, read once before main without changing it.
mode_t ProcessUmask();

// Writes `bytes` as the new version of `target`: mode of the old file less
// set-id and sticky bits (0666 & ~umask for a new one); as root the old
// file's owner, or the folder's for a new file. When `expected` is given the
// target must still have that identity just before the rename, else
// kChanged. `written` receives the new file's identity.
WriteResult ReplaceTarget(const WriteTarget& target, std::string_view bytes, const FileIdentity* expected,
                          FileIdentity* written);

// Streams the regular file `source` (links followed) into `destination`,
// whose folder must be a real folder (not a link) owned by `trusted`. The
// entry at `destination` is replaced, never followed.
WriteResult CopyRegularFile(const std::string& source, const std::string& destination, TrustedOwner trusted);
// The checks of CopyRegularFile without the copy.
WriteResult CheckCopyRegularFile(const std::string& source, const std::string& destination, TrustedOwner trusted);

// A streamed file that becomes `name` in the open folder `folder_fd` (taken
// over; `folder` is its path) when finished: a temporary file there until
// then, removed when dropped or when the process is ended by a signal. Mode
// 0666 less the umask; as root the folder's owner. Null when it cannot be
// created.
std::unique_ptr<StreamedFile> BeginStreamedFile(int folder_fd, const std::string& folder, const std::string& name);

std::string DirectoryOf(const std::string& path);

}  // namespace quillon::disk
