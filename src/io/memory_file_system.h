// A file system held in memory, for tests: regular files and folders only,
// each file version numbered, so that a test can play another program that
// changes a file while a run works on it.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "io/file_system.h"

namespace quillon {

class MemoryFileSystem final : public FileSystem {
 public:
  // What another program does: puts a file (a new version) or a folder.
  void PutFile(const std::string& path, std::string_view bytes);
  void PutFolder(const std::string& path);
  // The bytes of a file, or null.
  const std::string* Find(const std::string& path) const;

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
  void SetProjectFolder(const std::string&) override {}
  void ForgetRead(const std::string& path) override;

 private:
  struct File {
    std::string bytes;
    std::int64_t version = 0;
  };

  std::int64_t VersionOf(const std::string& path) const;  // 0: no file

  std::map<std::string, File> files_;
  std::set<std::string> folders_;
  std::map<std::string, std::int64_t> seen_;
  std::shared_ptr<std::set<std::string>> locked_ = std::make_shared<std::set<std::string>>();
  std::int64_t next_version_ = 1;
};

}  // namespace quillon
