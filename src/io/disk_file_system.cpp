#include "io/disk_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "io/file_io.h"
#include "io/owned_files.h"

namespace quillon {

namespace {

class FlockedFolder final : public FolderLock {
 public:
  explicit FlockedFolder(int fd) : fd_(fd) {}
  ~FlockedFolder() override { ::close(fd_); }  // closing releases the lock

 private:
  int fd_;
};

}  // namespace

bool DiskFileSystem::ReadFile(const std::string& path, std::string* bytes) {
  FileIdentity identity;
  if (!ReadFileWithIdentity(path, bytes, &identity)) {
    // A file that was missing when read must still be missing when the run
    // creates it; another program may have made it meanwhile.
    if (!identity.exists && KindOf(path) == FileKind::kMissing) Remember(path, identity);
    return false;
  }
  Remember(path, identity);
  return true;
}

bool DiskFileSystem::ReadHead(const std::string& path, size_t count, std::string* bytes) {
  return ReadFileHead(path, count, bytes);
}

FileKind DiskFileSystem::KindOf(const std::string& path) { return KindOfPath(path); }

FileIdentity DiskFileSystem::IdentityOf(const std::string& path) { return disk::IdentityAt(path); }

bool DiskFileSystem::ListFolder(const std::string& path, std::vector<std::string>* names) {
  return ListDirectory(path, names);
}

bool DiskFileSystem::MakePrivateFolder(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const disk::TrustedOwner trusted = TrustedFor(folder);
  if (::mkdir(folder.c_str(), 0700) == 0) {
    // Root makes the folder the project owner's, as the user would have.
    if (::geteuid() == 0 && trusted.uid >= 0 &&
        ::lchown(folder.c_str(), static_cast<uid_t>(trusted.uid), static_cast<gid_t>(trusted.gid)) != 0) {
      return false;
    }
    return true;
  }
  if (errno != EEXIST) return false;
  struct stat st;
  return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && trusted.uid >= 0 &&
         static_cast<long long>(st.st_uid) == trusted.uid;
}

WriteResult DiskFileSystem::Check(const std::string& path, disk::WriteTarget* target, FileIdentity* expected,
                                  bool* has_expected) {
  if (!disk::ResolveWriteTarget(path, TrustedFor(path), /*follow_links=*/true, target)) return WriteResult::kFailed;
  *has_expected = Seen(path, expected);
  if (*has_expected && disk::IdentityAt(target->path) != *expected) return WriteResult::kChanged;
  return WriteResult::kWritten;
}

WriteResult DiskFileSystem::CheckReplace(const std::string& path) {
  disk::WriteTarget target;
  FileIdentity expected;
  bool has_expected = false;
  return Check(path, &target, &expected, &has_expected);
}

WriteResult DiskFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  disk::WriteTarget target;
  FileIdentity expected;
  bool has_expected = false;
  const WriteResult checked = Check(path, &target, &expected, &has_expected);
  if (checked != WriteResult::kWritten) return checked;
  FileIdentity written;
  const WriteResult result = disk::ReplaceTarget(target, bytes, has_expected ? &expected : nullptr, &written);
  if (result == WriteResult::kWritten) {
    const FileIdentity replaced = target.exists ? disk::IdentityFromStatus(target.status) : FileIdentity();
    Remember(path, written, replaced);
  }
  return result;
}

bool DiskFileSystem::BeginOwnedFile(const std::string& base, const std::string& relative,
                                    std::unique_ptr<StreamedFile>* file) {
  *file = quillon::BeginOwnedFile(base, relative);
  return *file != nullptr;
}

WriteResult DiskFileSystem::CheckCopy(const std::string& source, const std::string& destination) {
  return disk::CheckCopyRegularFile(source, destination, TrustedFor(destination));
}

WriteResult DiskFileSystem::CopyFile(const std::string& source, const std::string& destination) {
  return disk::CopyRegularFile(source, destination, TrustedFor(destination));
}

LockResult DiskFileSystem::LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LockResult::kUnavailable;
  // A lock on the folder itself: nothing is left behind when the run ends,
  // however it ends.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? LockResult::kBusy : LockResult::kUnavailable;
  }
  lock->reset(new FlockedFolder(fd));
  return LockResult::kLocked;
}

void DiskFileSystem::SetProjectFolder(const std::string& path) {
  std::lock_guard<std::mutex> hold(mutex_);
  has_project_folder_ = !path.empty();
  project_owner_ = has_project_folder_ ? disk::OwnerOfFolder(path) : disk::TrustedOwner{};
}

disk::TrustedOwner DiskFileSystem::TrustedFor(const std::string& path) const {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    if (has_project_folder_) return project_owner_;
  }
  return disk::OwnerOfFolder(disk::DirectoryOf(path));
}

void DiskFileSystem::ForgetRead(const std::string& path) {
  std::lock_guard<std::mutex> hold(mutex_);
  seen_.erase(path);
}

bool DiskFileSystem::Seen(const std::string& path, FileIdentity* identity) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const auto it = seen_.find(path);
  if (it == seen_.end()) return false;
  *identity = it->second;
  return true;
}

void DiskFileSystem::Remember(const std::string& path, const FileIdentity& identity) {
  std::lock_guard<std::mutex> hold(mutex_);
  seen_[path] = identity;
}

void DiskFileSystem::Remember(const std::string& path, const FileIdentity& written, const FileIdentity& replaced) {
  std::lock_guard<std::mutex> hold(mutex_);
  seen_[path] = written;
  if (!replaced.exists) return;
  // The same file read under another name ("Forms/../Main.pb") saw the
  // version this write replaced: it is no change by another program.
  for (auto& entry : seen_) {
    if (entry.second == replaced) entry.second = written;
  }
}

}  // namespace quillon
