#include "io/write_rules.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <utility>

#include "io/interrupt_cleanup.h"
#include "io/unique_fd.h"

namespace quillon::disk {

namespace {

mode_t ReadUmaskOnce() {
  // /proc tells the umask without changing it, which matters once threads run.
  if (std::FILE* f = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, f)) found = std::sscanf(line, "Umask: %o", &mask) == 1;
    std::fclose(f);
    if (found) return static_cast<mode_t>(mask & 0777);
  }
  const mode_t mask = ::umask(0);  // still single-threaded: this runs before main
  ::umask(mask);
  return mask;
}

const mode_t kProcessUmask = ReadUmaskOnce();

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

bool OwnedBy(const struct stat& st, TrustedOwner trusted) {
  return trusted.uid >= 0 && static_cast<long long>(st.st_uid) == trusted.uid;
}

// Whether this process may change the file; a file its owner made
// read-only is respected by root too.
bool MayWrite(const std::string& path, const struct stat& st) {
  if (::geteuid() == 0) return (st.st_mode & 0222) != 0;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Random bytes from the kernel, one call for a name; a clock-seeded sequence
// if that fails (the names only need to differ, O_EXCL keeps them safe).
void FillRandom(unsigned char* bytes, size_t size) {
  if (::getrandom(bytes, size, GRND_NONBLOCK) == static_cast<ssize_t>(size)) return;
  thread_local std::minstd_rand fallback(static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::time(nullptr)));
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(fallback() >> 8);
}

// A temporary file ".quillon-tmp-XXXXXX" in an open folder. Removed when it
// goes out of scope unless renamed; registered meanwhile, so that an ending
// signal removes it too.
class TemporaryFile {
 public:
  TemporaryFile(int folder_fd, const std::string& folder) : folder_fd_(folder_fd) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100 && fd_.get() < 0; ++attempt) {
      std::string name = ".quillon-tmp-";
      unsigned char random[6];
      FillRandom(random, sizeof random);
      for (const unsigned char byte : random) name.push_back(kChars[byte % (sizeof kChars - 1)]);
      TemporaryFileCreation creation;
      if (!creation.Allowed()) return;
      const int fd = ::openat(folder_fd_, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
      if (fd < 0) {
        if (errno == EEXIST) continue;
        return;
      }
      fd_.reset(fd);
      name_ = name;
      full_path_ = folder + "/" + name;
      slot_ = RegisterTemporaryFile(full_path_.c_str());
    }
  }
  ~TemporaryFile() {
    if (name_.empty()) return;
    ScopedSignalBlock block;
    ::unlinkat(folder_fd_, name_.c_str(), 0);
    ReleaseTemporaryFile(slot_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_.get(); }
  bool Close() { return fd_.Close(); }
  bool RenameTo(const std::string& name) {
    ScopedSignalBlock block;
    if (::renameat(folder_fd_, name_.c_str(), folder_fd_, name.c_str()) != 0) return false;
    ReleaseTemporaryFile(slot_);
    name_.clear();
    return true;
  }

 private:
  int folder_fd_;
  UniqueFd fd_;
  std::string name_;
  std::string full_path_;
  int slot_ = -1;
};

// Flushes, drops the cached copy and closes the new file; its identity
// before the close.
bool Finish(TemporaryFile& temp, FileIdentity* identity) {
  if (::fsync(temp.fd()) != 0) return false;
  struct stat st;
  if (::fstat(temp.fd(), &st) != 0) return false;
  *identity = IdentityFromStatus(st);
  // The bytes are on disk now; releasing their cached copy lets the next
  // file of a run reuse that memory instead of growing the cache by every
  // file written (a large project writes tens of megabytes). Only a hint.
  ::posix_fadvise(temp.fd(), 0, 0, POSIX_FADV_DONTNEED);
  return temp.Close();
}

// Copies [at, end) of `in` to the same offsets of `out` inside the kernel,
// as cp does: no pass through our memory. Returns the offset reached (short
// of `end` when the source shrank meanwhile), or -1: with `unsupported` set
// when these file systems cannot copy so (the caller copies the range again
// through a buffer), else because the copy failed.
off_t CopyInKernel(int in, int out, off_t at, off_t end, bool* unsupported) {
  *unsupported = false;
  while (at < end) {
    loff_t from = at;
    loff_t to = at;
    const ssize_t n = ::copy_file_range(in, &from, out, &to, static_cast<size_t>(end - at), 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      *unsupported = errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL;
      return -1;
    }
    if (n == 0) break;  // the source shrank meanwhile
    at += n;
  }
  return at;
}

// Copies the data of `in` into `out`, in the kernel where it can and through
// one buffer elsewhere, so a file of any size passes. Holes of a sparse file
// are skipped and stay holes.
bool CopyStream(int in, int out, off_t size) {
  char buffer[65536];
  bool in_kernel = true;
  off_t offset = 0;
  while (offset < size) {
    off_t data = ::lseek(in, offset, SEEK_DATA);
    if (data < 0) {
      if (errno == ENXIO) break;  // only a hole up to the end
      data = offset;              // no hole support: copy everything
    }
    off_t hole = ::lseek(in, data, SEEK_HOLE);
    if (hole < 0) hole = size;
    if (in_kernel) {
      bool unsupported = false;
      const off_t reached = CopyInKernel(in, out, data, hole, &unsupported);
      if (reached >= 0) {
        if (reached < hole) return ::ftruncate(out, reached) == 0;  // the source shrank meanwhile
        offset = hole;
        continue;
      }
      if (!unsupported) return false;
      in_kernel = false;
    }
    if (::lseek(in, data, SEEK_SET) < 0 || ::lseek(out, data, SEEK_SET) < 0) return false;
    for (off_t at = data; at < hole;) {
      const ssize_t n = ::read(in, buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (n == 0) return ::ftruncate(out, at) == 0;  // the source shrank meanwhile
      if (!WriteAll(out, buffer, static_cast<size_t>(n))) return false;
      at += n;
    }
    offset = hole;
  }
  return ::ftruncate(out, size) == 0;
}

int OpenFolder(const std::string& folder, bool no_follow) {
  return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (no_follow ? O_NOFOLLOW : 0));
}

// Opens the regular file a copy reads from; -1 for anything else.
int OpenCopySource(const std::string& source, struct stat* st) {
  if (source.find('\0') != std::string::npos) return -1;
  const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The copy's folder must be a real folder of the trusted owner.
bool CopyFolderIsSafe(int folder_fd, TrustedOwner trusted) {
  struct stat st;
  return folder_fd >= 0 && ::fstat(folder_fd, &st) == 0 && S_ISDIR(st.st_mode) && OwnedBy(st, trusted);
}

// The temporary file grows by positioned writes; its size is kept here.
class DiskStreamedFile final : public StreamedFile {
 public:
  DiskStreamedFile(int folder_fd, const std::string& folder, std::string name)
      : folder_fd_(folder_fd), temp_(folder_fd, folder), name_(std::move(name)) {}

  bool Begun() {
    if (temp_.fd() < 0 || ::fchmod(temp_.fd(), 0666 & ~ProcessUmask()) != 0) return false;
    struct stat owner;
    return ::geteuid() != 0 ||
           (::fstat(folder_fd_.get(), &owner) == 0 && ::fchown(temp_.fd(), owner.st_uid, owner.st_gid) == 0);
  }
  bool Append(std::string_view bytes) override {
    if (!WriteAt(size_, bytes)) return false;
    size_ += bytes.size();
    // Start writing each full stretch to the disk now, while the run goes
    // on, so that the sync at the end waits only for the last one. Only a
    // hint: the sync in Finish is what the record relies on.
    if (size_ - written_back_ >= kWriteBackStretch) {
      ::sync_file_range(temp_.fd(), static_cast<off_t>(written_back_), static_cast<off_t>(size_ - written_back_),
                        SYNC_FILE_RANGE_WRITE);
      written_back_ = size_;
    }
    return true;
  }
  bool Overwrite(std::uint64_t offset, std::string_view bytes) override {
    return offset <= size_ && bytes.size() <= size_ - offset && WriteAt(offset, bytes);
  }
  bool Truncate(std::uint64_t size) override {
    if (size > size_ || ::ftruncate(temp_.fd(), static_cast<off_t>(size)) != 0) return false;
    size_ = size;
    written_back_ = std::min(written_back_, size_);
    return true;
  }
  std::uint64_t Size() const override { return size_; }
  WriteResult Finish() override {
    FileIdentity written;
    if (!disk::Finish(temp_, &written) || !temp_.RenameTo(name_)) return WriteResult::kFailed;
    ::fsync(folder_fd_.get());
    return WriteResult::kWritten;
  }

 private:
  bool WriteAt(std::uint64_t offset, std::string_view bytes) {
    const char* data = bytes.data();
    for (size_t left = bytes.size(); left > 0;) {
      const ssize_t n = ::pwrite(temp_.fd(), data, left, static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      offset += static_cast<std::uint64_t>(n);
      left -= static_cast<size_t>(n);
    }
    return true;
  }

  UniqueFd folder_fd_;  // before temp_: the temporary file is removed through it
  TemporaryFile temp_;
  std::string name_;
  std::uint64_t size_ = 0;
  static constexpr std::uint64_t kWriteBackStretch = 1 << 20;
  std::uint64_t written_back_ = 0;  // the bytes before this have been sent on their way
};

}  // namespace

std::unique_ptr<StreamedFile> BeginStreamedFile(int folder_fd, const std::string& folder, const std::string& name) {
  if (folder_fd < 0) return nullptr;
  auto file = std::make_unique<DiskStreamedFile>(folder_fd, folder, name);
  if (!file->Begun()) return nullptr;
  return file;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t ProcessUmask() { return kProcessUmask; }

TrustedOwner OwnerOfFolder(const std::string& folder) {
  struct stat st;
  if (::stat(folder.c_str(), &st) != 0) return {};
  return {static_cast<long long>(st.st_uid), static_cast<long long>(st.st_gid)};
}

FileIdentity IdentityFromStatus(const struct stat& st) {
  FileIdentity id;
  id.exists = true;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  id.size = static_cast<std::int64_t>(st.st_size);
  id.mtime_seconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  id.mtime_nanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
  return id;
}

FileIdentity IdentityAt(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return {};
  return IdentityFromStatus(st);
}

bool ResolveWriteTarget(const std::string& path, TrustedOwner trusted, bool follow_links, WriteTarget* out) {
  // A name with a NUL byte names no file; the system would use the part
  // before the NUL instead.
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  out->path = path;
  out->exists = false;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISLNK(st.st_mode)) {
    if (!follow_links) {
      out->exists = false;  // the link itself is replaced; nothing of it is kept
      return true;
    }
    if (!ResolveLinks(path, &out->path)) return false;
    if (::lstat(out->path.c_str(), &st) != 0) {
      // A dangling link creates its target only in a folder of the owner.
      if (errno != ENOENT) return false;
      struct stat folder;
      return ::stat(DirectoryOf(out->path).c_str(), &folder) == 0 && OwnedBy(folder, trusted);
    }
  }
  if (!S_ISREG(st.st_mode) || !OwnedBy(st, trusted) || !MayWrite(out->path, st)) return false;
  out->exists = true;
  out->status = st;
  return true;
}

WriteResult ReplaceTarget(const WriteTarget& target, std::string_view bytes, const FileIdentity* expected,
                          FileIdentity* written) {
  const std::string folder = DirectoryOf(target.path);
  UniqueFd folder_fd(OpenFolder(folder, /*no_follow=*/false));
  if (folder_fd.get() < 0) return WriteResult::kFailed;
  TemporaryFile temp(folder_fd.get(), folder);
  if (temp.fd() < 0) return WriteResult::kFailed;

  const mode_t mode = target.exists ? (target.status.st_mode & 0777) : (0666 & ~ProcessUmask());
  if (::fchmod(temp.fd(), mode) != 0) return WriteResult::kFailed;
  if (::geteuid() == 0) {
    // Root keeps the user's files the user's: the old owner, or the
    // folder's owner for a new file.
    struct stat owner;
    if (target.exists) {
      owner = target.status;
    } else if (::fstat(folder_fd.get(), &owner) != 0) {
      return WriteResult::kFailed;
    }
    if (::fchown(temp.fd(), owner.st_uid, owner.st_gid) != 0) return WriteResult::kFailed;
  }
  if (!WriteAll(temp.fd(), bytes.data(), bytes.size())) return WriteResult::kFailed;
  if (!Finish(temp, written)) return WriteResult::kFailed;
  // The last look before the rename: a file that changed since the run read
  // it keeps the other program's version.
  if (expected && IdentityAt(target.path) != *expected) return WriteResult::kChanged;
  if (!temp.RenameTo(FileName(target.path))) return WriteResult::kFailed;
  // Make the rename itself durable; a failure here no longer affects content.
  ::fsync(folder_fd.get());
  return WriteResult::kWritten;
}

WriteResult CheckCopyRegularFile(const std::string& source, const std::string& destination, TrustedOwner trusted) {
  struct stat st;
  UniqueFd in(OpenCopySource(source, &st));
  if (in.get() < 0) return WriteResult::kFailed;
  UniqueFd folder_fd(OpenFolder(DirectoryOf(destination), /*no_follow=*/true));
  return CopyFolderIsSafe(folder_fd.get(), trusted) ? WriteResult::kWritten : WriteResult::kFailed;
}

WriteResult CopyRegularFile(const std::string& source, const std::string& destination, TrustedOwner trusted) {
  struct stat st;
  UniqueFd in(OpenCopySource(source, &st));
  if (in.get() < 0) return WriteResult::kFailed;
  const std::string folder = DirectoryOf(destination);
  UniqueFd folder_fd(OpenFolder(folder, /*no_follow=*/true));
  if (!CopyFolderIsSafe(folder_fd.get(), trusted)) return WriteResult::kFailed;
  TemporaryFile temp(folder_fd.get(), folder);
  if (temp.fd() < 0) return WriteResult::kFailed;
  // The copy's rights come from the source, never from an entry that
  // already stands in the folder.
  if (::fchmod(temp.fd(), st.st_mode & 0777) != 0) return WriteResult::kFailed;
  if (::geteuid() == 0 && ::fchown(temp.fd(), st.st_uid, st.st_gid) != 0) return WriteResult::kFailed;
  if (!CopyStream(in.get(), temp.fd(), st.st_size)) return WriteResult::kFailed;
  FileIdentity written;
  if (!Finish(temp, &written)) return WriteResult::kFailed;
  if (!temp.RenameTo(FileName(destination))) return WriteResult::kFailed;
  ::fsync(folder_fd.get());
  return WriteResult::kWritten;
}

}  // namespace quillon::disk
