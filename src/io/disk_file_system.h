// The file system of a real run: the disk, under the write rules. It
// remembers the identity of every file it read or wrote, and replaces a file
// only while it still has that identity.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "io/file_system.h"
#include "io/write_rules.h"

namespace quillon {

class DiskFileSystem final : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string* bytes) override;
  bool ReadHead(const std::string& path, size_t count, std::string* bytes) override;
  FileKind KindOf(const std::string& path) override;
  FileIdentity IdentityOf(const std::string& path) override;
  bool ListFolder(const std::string& path, std::vector<std::string>* names) override;
  bool MakePrivateFolder(const std::string& path) override;
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override;
  WriteResult CopyFile(const std::string& source, const std::string& destination) override;
  bool BeginOwnedFile(const std::string& base, const std::string& relative,
                      std::unique_ptr<StreamedFile>* file) override;
  WriteResult CheckReplace(const std::string& path) override;
  WriteResult CheckCopy(const std::string& source, const std::string& destination) override;
  LockResult LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) override;
  void SetProjectFolder(const std::string& path) override;
  void ForgetRead(const std::string& path) override;

 private:
  disk::TrustedOwner TrustedFor(const std::string& path) const;
  bool Seen(const std::string& path, FileIdentity* identity) const;
  void Remember(const std::string& path, const FileIdentity& identity);
  // After a write: `path` and every other name of the replaced version.
  void Remember(const std::string& path, const FileIdentity& written, const FileIdentity& replaced);
  WriteResult Check(const std::string& path, disk::WriteTarget* target, FileIdentity* expected, bool* has_expected);

  // The window's worker and its main thread may both use the disk.
  mutable std::mutex mutex_;
  std::map<std::string, FileIdentity> seen_;
  disk::TrustedOwner project_owner_;
  bool has_project_folder_ = false;
};

}  // namespace quillon
