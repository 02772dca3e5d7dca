#include "io/overlay_file_system.h"

#include <algorithm>

#include "io/write_rules.h"

namespace quillon {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

const std::string* OverlayFileSystem::Written(const std::string& path) const {
  const auto it = index_.find(path);
  return it == index_.end() ? nullptr : &outputs_[it->second].bytes;
}

bool OverlayFileSystem::ReadFile(const std::string& path, std::string* bytes) {
  if (const std::string* written = Written(path)) {
    *bytes = *written;
    return true;
  }
  return below_.ReadFile(path, bytes);
}

bool OverlayFileSystem::ReadHead(const std::string& path, size_t count, std::string* bytes) {
  if (const std::string* written = Written(path)) {
    *bytes = written->substr(0, count);
    return true;
  }
  return below_.ReadHead(path, count, bytes);
}

FileKind OverlayFileSystem::KindOf(const std::string& path) {
  if (Written(path)) return FileKind::kRegular;
  const std::string folder = WithoutTrailingSlashes(path);
  if (std::find(made_folders_.begin(), made_folders_.end(), folder) != made_folders_.end()) {
    return FileKind::kDirectory;
  }
  return below_.KindOf(path);
}

bool OverlayFileSystem::ListFolder(const std::string& path, std::vector<std::string>* names) {
  const std::string folder = WithoutTrailingSlashes(path);
  const bool made = std::find(made_folders_.begin(), made_folders_.end(), folder) != made_folders_.end();
  if (made) {
    names->clear();
  } else if (!below_.ListFolder(path, names)) {
    return false;
  }
  // Files the run created appear as they would on disk.
  for (const Output& output : outputs_) {
    if (disk::DirectoryOf(output.path) != folder) continue;
    const std::string name = output.path.substr(folder.size() + (folder == "/" ? 0 : 1));
    if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
  }
  return true;
}

bool OverlayFileSystem::MakePrivateFolder(const std::string& path) {
  const std::string folder = WithoutTrailingSlashes(path);
  if (below_.KindOf(folder) == FileKind::kMissing && below_.KindOf(disk::DirectoryOf(folder)) == FileKind::kDirectory) {
    made_folders_.push_back(folder);
    return true;
  }
  // An existing entry is only checked: the disk makes nothing when it stands.
  return below_.KindOf(folder) != FileKind::kMissing && below_.MakePrivateFolder(folder);
}

WriteResult OverlayFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  const WriteResult checked = below_.CheckReplace(path);
  if (checked != WriteResult::kWritten) return checked;
  const auto it = index_.find(path);
  if (it != index_.end()) {
    outputs_[it->second].bytes.assign(bytes.data(), bytes.size());
  } else {
    index_.emplace(path, outputs_.size());
    outputs_.push_back({path, std::string(bytes)});
  }
  return WriteResult::kWritten;
}

WriteResult OverlayFileSystem::CheckCopy(const std::string& source, const std::string& destination) {
  const std::string folder = disk::DirectoryOf(destination);
  if (std::find(made_folders_.begin(), made_folders_.end(), folder) != made_folders_.end()) {
    // The folder exists only in this dry run: the source decides alone.
    return KindOf(source) == FileKind::kRegular ? WriteResult::kWritten : WriteResult::kFailed;
  }
  return below_.CheckCopy(source, destination);
}

}  // namespace quillon
