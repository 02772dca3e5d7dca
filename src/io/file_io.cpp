#include "io/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

#include "io/write_rules.h"
#include "io/unique_fd.h"

namespace quillon {

namespace {

// Opens a regular file for reading. Pipes, devices and directories are no
// text files: a pipe would block the run, a device might never end.
int OpenRegularForReading(const std::string& path, struct stat* st) {
  // A name with a NUL byte (from a damaged list) names no file; the system
  // would open the part before the NUL instead.
  if (path.find('\0') != std::string::npos) return -1;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string* out) {
  FileIdentity identity;
  return ReadFileWithIdentity(path, out, &identity);
}

bool ReadFileWithIdentity(const std::string& path, std::string* out, FileIdentity* identity) {
  *identity = FileIdentity();
  struct stat st;
  UniqueFd fd(OpenRegularForReading(path, &st));
  if (fd.get() < 0) return false;
  // Taken before the first byte: a change made while the file is read
  // shows as a changed identity later.
  *identity = disk::IdentityFromStatus(st);
  // Read straight into the string, sized for the file plus a little, so
  // that the end shows as a short read; a file that grew meanwhile grows it.
  size_t have = 0;
  out->resize(static_cast<size_t>(st.st_size > 0 ? st.st_size : 0) + 4096);
  for (;;) {
    if (have == out->size()) out->resize(out->size() * 2);
    const ssize_t n = ::read(fd.get(), &(*out)[have], out->size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      out->clear();
      return false;
    }
    if (n == 0) break;
    have += static_cast<size_t>(n);
  }
  out->resize(have);
  return true;
}

bool ReadFileHead(const std::string& path, size_t count, std::string* out) {
  struct stat st;
  UniqueFd fd(OpenRegularForReading(path, &st));
  if (fd.get() < 0) return false;
  out->assign(count, '\0');
  size_t have = 0;
  while (have < count) {
    const ssize_t n = ::read(fd.get(), &(*out)[have], count - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    have += static_cast<size_t>(n);
  }
  out->resize(have);
  return true;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

long long FileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<long long>(st.st_size);
}

FileKind KindOfPath(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? FileKind::kMissing : FileKind::kOther;
  if (S_ISREG(st.st_mode)) return FileKind::kRegular;
  if (S_ISDIR(st.st_mode)) return FileKind::kDirectory;
  return FileKind::kOther;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, SymlinkPolicy policy) {
  disk::WriteTarget target;
  const disk::TrustedOwner trusted = disk::OwnerOfFolder(disk::DirectoryOf(path));
  if (!disk::ResolveWriteTarget(path, trusted, policy == SymlinkPolicy::kWriteThrough, &target)) return false;
  FileIdentity written;
  return disk::ReplaceTarget(target, bytes, nullptr, &written) == WriteResult::kWritten;
}

bool ReadSymlink(const std::string& path, std::string* target) {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink(path.c_str(), &buffer[0], buffer.size());
  if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return false;
  buffer.resize(static_cast<size_t>(n));
  *target = std::move(buffer);
  return true;
}

bool MakeDirectory(const std::string& path, unsigned mode) {
  if (::mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0) return true;
  return errno == EEXIST && IsDirectory(path);
}

bool ListDirectory(const std::string& path, std::vector<std::string>* names) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
  if (!dir) return false;
  names->clear();
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  return true;
}

}  // namespace quillon
