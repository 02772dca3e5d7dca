// The file system of a dry run: reads come from the disk below, writes stay
// in memory and are served to later reads, so a preview shows exactly what
// the real run would write. Every write is checked by the disk's rules and
// reports what the real run would report.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "io/file_system.h"

namespace quillon {

class OverlayFileSystem final : public FileSystem {
 public:
  struct Output {
    std::string path;
    std::string bytes;
  };

  explicit OverlayFileSystem(FileSystem& below) : below_(below) {}

  // Every file the run replaced, in the order of its first write, with its
  // last content. Copies (the backup) are checked but not kept.
  const std::vector<Output>& outputs() const { return outputs_; }

  bool ReadFile(const std::string& path, std::string* bytes) override;
  bool ReadHead(const std::string& path, size_t count, std::string* bytes) override;
  FileKind KindOf(const std::string& path) override;
  FileIdentity IdentityOf(const std::string& path) override { return below_.IdentityOf(path); }
  bool ListFolder(const std::string& path, std::vector<std::string>* names) override;
  bool MakePrivateFolder(const std::string& path) override;
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override;
  WriteResult CopyFile(const std::string& source, const std::string& destination) override {
    return CheckCopy(source, destination);
  }
  bool BeginOwnedFile(const std::string& base, const std::string& relative,
                      std::unique_ptr<StreamedFile>* file) override;
  WriteResult CheckReplace(const std::string& path) override;
  WriteResult CheckCopy(const std::string& source, const std::string& destination) override;
  LockResult LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) override {
    return below_.LockFolder(path, lock);
  }
  void SetProjectFolder(const std::string& path) override { below_.SetProjectFolder(path); }
  void ForgetRead(const std::string& path) override { below_.ForgetRead(path); }

 private:
  const std::string* Written(const std::string& path) const;
  bool MadeFolder(const std::string& path) const;
  void Keep(const std::string& path, std::string_view bytes);

  FileSystem& below_;
  std::vector<Output> outputs_;
  std::map<std::string, size_t> index_;
  std::vector<std::string> made_folders_;
};

}  // namespace quillon
