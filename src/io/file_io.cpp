#include "io/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace quillon {

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Follows a chain of symlinks at `path` to the entry they finally name.
bool ResolveLinks(const std::string& path, std::string* out) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *out = current;
      return true;
    }
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(current.c_str(), &target[0], target.size());
    if (n < 0 || static_cast<size_t>(n) >= target.size()) return false;
    target.resize(static_cast<size_t>(n));
    if (target.empty()) return false;
    current = target[0] == '/' ? target : DirectoryOf(current) + "/" + target;
  }
  return false;  // a loop of links
}

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
  struct stat st;
  Fd fd(OpenRegularForReading(path, &st));
  if (fd.get() < 0) return false;
  out->clear();
  if (st.st_size > 0) out->reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    out->append(buffer, static_cast<size_t>(n));
  }
  return true;
}

bool ReadFileHead(const std::string& path, size_t count, std::string* out) {
  struct stat st;
  Fd fd(OpenRegularForReading(path, &st));
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

bool WriteFileAtomic(const std::string& path, const std::string& bytes, SymlinkPolicy policy) {
  if (path.empty()) return false;
  std::string target = path;
  if (policy == SymlinkPolicy::kWriteThrough && !ResolveLinks(path, &target)) return false;

  struct stat existing;
  const bool exists = ::lstat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return false;

  std::string temp = DirectoryOf(target) + "/.quillon-tmp-XXXXXX";
  Fd fd(::mkstemp(&temp[0]));
  if (fd.get() < 0) return false;
  auto discard = [&temp]() {
    ::unlink(temp.c_str());
    return false;
  };
  mode_t mode;
  if (exists && S_ISREG(existing.st_mode)) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fd.get(), mode) != 0) return discard();
  if (!WriteAll(fd.get(), bytes.data(), bytes.size())) return discard();
  if (::fsync(fd.get()) != 0) return discard();
  // The bytes are on disk now; releasing their cached copy lets the next
  // file of a run reuse that memory instead of growing the cache by every
  // file written (a large project writes tens of megabytes). Only a hint.
  ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_DONTNEED);
  if (!fd.Close()) return discard();
  if (::rename(temp.c_str(), target.c_str()) != 0) return discard();
  // Make the rename itself durable; a failure here no longer affects content.
  Fd dir(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
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
