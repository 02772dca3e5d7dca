#include "io/owned_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "io/path_queries.h"
#include "io/write_rules.h"
#include "io/unique_fd.h"

namespace quillon {

namespace {

// The folder that holds the last part of `relative`, opened without
// following a link anywhere below `base`; `name` receives that last part.
OwnedRead OpenOwnedFolder(const std::string& base, const std::string& relative, UniqueFd* folder, std::string* name,
                          uid_t* owner) {
  if (base.find('\0') != std::string::npos || relative.find('\0') != std::string::npos) return OwnedRead::kRefused;
  folder->reset(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  struct stat st;
  if (folder->get() < 0 || ::fstat(folder->get(), &st) != 0) return OwnedRead::kFailed;
  *owner = st.st_uid;
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t slash; (slash = relative.find('/', start)) != std::string::npos; start = slash + 1) {
    parts.push_back(relative.substr(start, slash - start));
  }
  *name = relative.substr(start);
  for (const std::string& part : parts) {
    const int next = ::openat(folder->get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) return errno == ENOENT ? OwnedRead::kMissing : OwnedRead::kRefused;
    folder->reset(next);
    if (::fstat(next, &st) != 0 || st.st_uid != *owner) return OwnedRead::kRefused;
  }
  return OwnedRead::kRead;
}

OwnedRead OpenOwnedFile(const std::string& base, const std::string& relative, std::uint64_t limit, UniqueFd* file,
                        struct stat* st) {
  UniqueFd folder;
  std::string name;
  uid_t owner = 0;
  const OwnedRead opened = OpenOwnedFolder(base, relative, &folder, &name, &owner);
  if (opened != OwnedRead::kRead) return opened;
  file->reset(::openat(folder.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (file->get() < 0) return errno == ENOENT ? OwnedRead::kMissing : OwnedRead::kRefused;
  if (::fstat(file->get(), st) != 0) return OwnedRead::kFailed;
  if (!S_ISREG(st->st_mode) || st->st_uid != owner) return OwnedRead::kRefused;
  if (static_cast<std::uint64_t>(st->st_size) > limit) return OwnedRead::kTooLarge;
  return OwnedRead::kRead;
}

}  // namespace

OwnedRead LookAtOwnedFile(const std::string& base, const std::string& relative, std::uint64_t limit) {
  UniqueFd file;
  struct stat st;
  return OpenOwnedFile(base, relative, limit, &file, &st);
}

OwnedRead ReadOwnedFile(const std::string& base, const std::string& relative, std::uint64_t limit, std::string* bytes) {
  UniqueFd file;
  struct stat st;
  const OwnedRead opened = OpenOwnedFile(base, relative, limit, &file, &st);
  if (opened != OwnedRead::kRead) return opened;
  bytes->clear();
  bytes->reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return OwnedRead::kFailed;
    if (n == 0) return OwnedRead::kRead;
    // The file may grow while it is read: the limit still holds.
    if (bytes->size() + static_cast<size_t>(n) > limit) return OwnedRead::kTooLarge;
    bytes->append(buffer, static_cast<size_t>(n));
  }
}

long long OwnedFileTime(const std::string& base, const std::string& relative) {
  UniqueFd file;
  struct stat st;
  const OwnedRead opened = OpenOwnedFile(base, relative, UINT64_MAX, &file, &st);
  return opened == OwnedRead::kRead ? static_cast<long long>(st.st_mtim.tv_sec) : -1;
}

std::unique_ptr<StreamedFile> BeginOwnedFile(const std::string& base, const std::string& relative) {
  UniqueFd folder;
  std::string name;
  uid_t owner = 0;
  if (OpenOwnedFolder(base, relative, &folder, &name, &owner) != OwnedRead::kRead) return nullptr;
  return disk::BeginStreamedFile(folder.release(), disk::DirectoryOf(base + relative), name);
}

bool RemoveOwnedFile(const std::string& base, const std::string& relative) {
  UniqueFd folder;
  std::string name;
  uid_t owner = 0;
  if (OpenOwnedFolder(base, relative, &folder, &name, &owner) != OwnedRead::kRead) return false;
  struct stat st;
  if (::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  if (!S_ISREG(st.st_mode) || st.st_uid != owner) return false;
  return ::unlinkat(folder.get(), name.c_str(), 0) == 0;
}

bool ReadFileInPieces(const std::string& path, const std::function<void(const char*, size_t)>& sink,
                      FileIdentity* identity) {
  *identity = FileIdentity();
  if (path.find('\0') != std::string::npos) return false;
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat st;
  if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  *identity = disk::IdentityFromStatus(st);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    sink(buffer, static_cast<size_t>(n));
  }
}

bool ResolvedPathOrFolder(const std::string& path, std::string* resolved) {
  if (path.find('\0') != std::string::npos) return false;
  if (ResolvedPath(path, resolved)) return true;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 || errno != ENOENT) return false;  // a dangling link
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return false;
  const std::string name = path.substr(slash + 1);
  std::string folder;
  if (name.empty() || name == "." || name == ".." || !ResolvedPath(path.substr(0, slash + 1), &folder)) return false;
  *resolved = (folder == "/" ? "" : folder) + "/" + name;
  return true;
}

bool MayRemoveFile(const std::string& path, long long owner_uid) {
  struct stat st;
  if (path.find('\0') != std::string::npos || ::lstat(path.c_str(), &st) != 0) return false;
  return S_ISREG(st.st_mode) && owner_uid >= 0 && static_cast<long long>(st.st_uid) == owner_uid &&
         (st.st_mode & 0222) != 0;
}

bool RemoveFileUnderRules(const std::string& path, long long owner_uid) {
  return MayRemoveFile(path, owner_uid) && ::unlink(path.c_str()) == 0;
}

}  // namespace quillon
