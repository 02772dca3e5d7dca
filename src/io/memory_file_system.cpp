#include "io/memory_file_system.h"

#include "io/buffered_streamed_file.h"
#include "io/write_rules.h"

namespace quillon {

namespace {

std::string Normal(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

class HeldName final : public FolderLock {
 public:
  HeldName(std::shared_ptr<std::set<std::string>> held, std::string name)
      : held_(std::move(held)), name_(std::move(name)) {}
  ~HeldName() override { held_->erase(name_); }

 private:
  std::shared_ptr<std::set<std::string>> held_;
  std::string name_;
};

}  // namespace

void MemoryFileSystem::PutFile(const std::string& path, std::string_view bytes) {
  File& file = files_[Normal(path)];
  file.bytes.assign(bytes.data(), bytes.size());
  file.version = next_version_++;
}

void MemoryFileSystem::PutFolder(const std::string& path) { folders_.insert(Normal(path)); }

const std::string* MemoryFileSystem::Find(const std::string& path) const {
  const auto it = files_.find(Normal(path));
  return it == files_.end() ? nullptr : &it->second.bytes;
}

std::int64_t MemoryFileSystem::VersionOf(const std::string& path) const {
  const auto it = files_.find(Normal(path));
  return it == files_.end() ? 0 : it->second.version;
}

bool MemoryFileSystem::ReadFile(const std::string& path, std::string* bytes) {
  const std::string* found = Find(path);
  if (!found && folders_.count(Normal(path))) return false;
  seen_[Normal(path)] = VersionOf(path);
  if (!found) return false;
  *bytes = *found;
  return true;
}

bool MemoryFileSystem::ReadHead(const std::string& path, size_t count, std::string* bytes) {
  const std::string* found = Find(path);
  if (!found) return false;
  *bytes = found->substr(0, count);
  return true;
}

FileKind MemoryFileSystem::KindOf(const std::string& path) {
  if (Find(path)) return FileKind::kRegular;
  return folders_.count(Normal(path)) ? FileKind::kDirectory : FileKind::kMissing;
}

FileIdentity MemoryFileSystem::IdentityOf(const std::string& path) {
  FileIdentity identity;
  const auto it = files_.find(Normal(path));
  if (it == files_.end()) return identity;
  identity.exists = true;
  identity.inode = static_cast<std::uint64_t>(it->second.version);
  identity.size = static_cast<std::int64_t>(it->second.bytes.size());
  identity.mtime_seconds = it->second.version;
  return identity;
}

bool MemoryFileSystem::ListFolder(const std::string& path, std::vector<std::string>* names) {
  const std::string folder = Normal(path);
  if (!folders_.count(folder)) return false;
  names->clear();
  const size_t skip = folder.size() + (folder == "/" ? 0 : 1);
  for (const auto& entry : files_) {
    if (disk::DirectoryOf(entry.first) == folder) names->push_back(entry.first.substr(skip));
  }
  for (const std::string& sub : folders_) {
    if (sub != folder && disk::DirectoryOf(sub) == folder) names->push_back(sub.substr(skip));
  }
  return true;
}

bool MemoryFileSystem::MakePrivateFolder(const std::string& path) {
  const std::string folder = Normal(path);
  if (Find(folder) || !folders_.count(disk::DirectoryOf(folder))) return false;
  folders_.insert(folder);
  return true;
}

bool MemoryFileSystem::BeginOwnedFile(const std::string& base, const std::string& relative,
                                      std::unique_ptr<StreamedFile>* file) {
  const std::string path = Normal(base + relative);
  if (!folders_.count(disk::DirectoryOf(path))) return false;
  file->reset(new BufferedStreamedFile([this, path](const std::string& bytes) {
    if (folders_.count(path)) return WriteResult::kFailed;
    PutFile(path, bytes);
    return WriteResult::kWritten;
  }));
  return true;
}

WriteResult MemoryFileSystem::CheckReplace(const std::string& path) {
  const std::string name = Normal(path);
  if (folders_.count(name) || !folders_.count(disk::DirectoryOf(name))) return WriteResult::kFailed;
  const auto seen = seen_.find(name);
  if (seen != seen_.end() && seen->second != VersionOf(name)) return WriteResult::kChanged;
  return WriteResult::kWritten;
}

WriteResult MemoryFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  const WriteResult checked = CheckReplace(path);
  if (checked != WriteResult::kWritten) return checked;
  PutFile(path, bytes);
  seen_[Normal(path)] = VersionOf(path);
  return WriteResult::kWritten;
}

WriteResult MemoryFileSystem::CheckCopy(const std::string& source, const std::string& destination) {
  const std::string name = Normal(destination);
  if (!Find(source) || folders_.count(name) || !folders_.count(disk::DirectoryOf(name))) return WriteResult::kFailed;
  return WriteResult::kWritten;
}

WriteResult MemoryFileSystem::CopyFile(const std::string& source, const std::string& destination) {
  const WriteResult checked = CheckCopy(source, destination);
  if (checked != WriteResult::kWritten) return checked;
  const std::string bytes = *Find(source);
  PutFile(destination, bytes);
  return WriteResult::kWritten;
}

void MemoryFileSystem::ForgetRead(const std::string& path) { seen_.erase(Normal(path)); }

LockResult MemoryFileSystem::LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) {
  const std::string folder = Normal(path);
  if (!folders_.count(folder)) return LockResult::kUnavailable;
  if (!locked_->insert(folder).second) return LockResult::kBusy;
  lock->reset(new HeldName(locked_, folder));
  return LockResult::kLocked;
}

}  // namespace quillon
