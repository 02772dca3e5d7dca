// A file system for the rewrite tests: the disk, recording what the run
// wrote, made and copied, and refusing chosen paths.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "io/disk_file_system.h"
#include "io/file_io.h"

namespace quillon::testing {

class RecordingWriter final : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string* bytes) override { return disk_.ReadFile(path, bytes); }
  bool ReadHead(const std::string& path, size_t count, std::string* bytes) override {
    return disk_.ReadHead(path, count, bytes);
  }
  FileKind KindOf(const std::string& path) override { return disk_.KindOf(path); }
  FileIdentity IdentityOf(const std::string& path) override { return disk_.IdentityOf(path); }
  bool ListFolder(const std::string& path, std::vector<std::string>* names) override {
    return disk_.ListFolder(path, names);
  }
  bool MakePrivateFolder(const std::string& path) override {
    made.push_back(path);
    return disk_.MakePrivateFolder(path);
  }
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (before_replace) before_replace(path);
    written.push_back(path);
    if (failing.count(path)) return WriteResult::kFailed;
    return disk_.ReplaceFile(path, bytes);
  }
  WriteResult CopyFile(const std::string& source, const std::string& destination) override {
    written.push_back(destination);
    copied.push_back(destination);
    if (failing.count(destination)) return WriteResult::kFailed;
    return disk_.CopyFile(source, destination);
  }
  WriteResult CheckReplace(const std::string& path) override { return disk_.CheckReplace(path); }
  WriteResult CheckCopy(const std::string& source, const std::string& destination) override {
    return disk_.CheckCopy(source, destination);
  }
  LockResult LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) override {
    return disk_.LockFolder(path, lock);
  }
  void SetProjectFolder(const std::string& path) override { disk_.SetProjectFolder(path); }
  void ForgetRead(const std::string& path) override { disk_.ForgetRead(path); }

  std::set<std::string> failing;  // paths whose write fails
  // Called with each path about to be replaced: another program's turn.
  std::function<void(const std::string&)> before_replace;
  std::vector<std::string> written;
  std::vector<std::string> copied;
  std::vector<std::string> made;

 private:
  DiskFileSystem disk_;
};

}  // namespace quillon::testing
