// A file system for the rewrite tests: the disk, recording what the run
// wrote, made and copied, and refusing chosen paths.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "io/disk_file_system.h"
#include "io/file_io.h"
#include "io/forwarding_file_system.h"

namespace quillon::testing {

class RecordingWriter final : public ForwardingFileSystem {
 public:
  RecordingWriter() : ForwardingFileSystem(disk_) {}

  bool MakePrivateFolder(const std::string& path) override {
    made.push_back(path);
    return ForwardingFileSystem::MakePrivateFolder(path);
  }
  WriteResult ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (before_replace) before_replace(path);
    written.push_back(path);
    if (failing.count(path)) return WriteResult::kFailed;
    return ForwardingFileSystem::ReplaceFile(path, bytes);
  }
  WriteResult CopyFile(const std::string& source, const std::string& destination) override {
    written.push_back(destination);
    copied.push_back(destination);
    if (failing.count(destination)) return WriteResult::kFailed;
    return ForwardingFileSystem::CopyFile(source, destination);
  }

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
