// A file system that passes every call on to another one: the base of the
// layers that watch a run's writes (undo's journal, test doubles) and change
// only what they must.
#pragma once

#include "io/file_system.h"

namespace quillon {

class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& target) : target_(target) {}

  bool ReadFile(const std::string& path, std::string* bytes) override { return target_.ReadFile(path, bytes); }
  bool ReadHead(const std::string& path, size_t count, std::string* bytes) override {
    return target_.ReadHead(path, count, bytes);
  }
  FileKind KindOf(const std::string& path) override { return target_.KindOf(path); }
  FileIdentity IdentityOf(const std::string& path) override { return target_.IdentityOf(path); }
  bool ListFolder(const std::string& path, std::vector<std::string>* names) override {
    return target_.ListFolder(path, names);
  }
  bool MakePrivateFolder(const std::string& path) override { return target_.MakePrivateFolder(path); }
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override {
    return target_.ReplaceFile(path, bytes);
  }
  WriteResult CopyFile(const std::string& source, const std::string& destination) override {
    return target_.CopyFile(source, destination);
  }
  bool BeginOwnedFile(const std::string& base, const std::string& relative,
                      std::unique_ptr<StreamedFile>* file) override {
    return target_.BeginOwnedFile(base, relative, file);
  }
  WriteResult CheckReplace(const std::string& path) override { return target_.CheckReplace(path); }
  WriteResult CheckCopy(const std::string& source, const std::string& destination) override {
    return target_.CheckCopy(source, destination);
  }
  void ForgetRead(const std::string& path) override { target_.ForgetRead(path); }
  LockResult LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) override {
    return target_.LockFolder(path, lock);
  }
  void SetProjectFolder(const std::string& path) override { target_.SetProjectFolder(path); }

 protected:
  FileSystem& target() { return target_; }

 private:
  FileSystem& target_;
};

}  // namespace quillon
