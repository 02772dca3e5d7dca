#include "io/overlay_file_system.h"

#include <algorithm>

#include "io/buffered_streamed_file.h"
#include "io/write_rules.h"

namespace quillon {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

bool OverlayFileSystem::MadeFolder(const std::string& path) const {
  const std::string folder = WithoutTrailingSlashes(path);
  return std::find(made_folders_.begin(), made_folders_.end(), folder) != made_folders_.end();
}

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
  if (MadeFolder(path)) return FileKind::kDirectory;
  return below_.KindOf(path);
}

bool OverlayFileSystem::ListFolder(const std::string& path, std::vector<std::string>* names) {
  const std::string folder = WithoutTrailingSlashes(path);
  if (MadeFolder(folder)) {
    names->clear();
  } else if (!below_.ListFolder(path, names)) {
    return false;
  }
  // Files and folders the run created appear as they would on disk.
  auto add = [&](const std::string& entry) {
    if (disk::DirectoryOf(entry) != folder) return;
    const std::string name = entry.substr(folder.size() + (folder == "/" ? 0 : 1));
    if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
  };
  for (const Output& output : outputs_) add(output.path);
  for (const std::string& made : made_folders_) add(made);
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

bool OverlayFileSystem::BeginOwnedFile(const std::string& base, const std::string& relative,
                                       std::unique_ptr<StreamedFile>* file) {
  const std::string path = base + relative;
  const std::string folder = disk::DirectoryOf(path);
  if (!MadeFolder(folder) && below_.KindOf(folder) != FileKind::kDirectory) return false;
  // Kept in memory like every other write of a dry run.
  file->reset(new BufferedStreamedFile([this, path](const std::string& bytes) {
    if (KindOf(path) == FileKind::kDirectory) return WriteResult::kFailed;
    Keep(path, bytes);
    return WriteResult::kWritten;
  }));
  return true;
}

WriteResult OverlayFileSystem::CheckReplace(const std::string& path) {
  if (MadeFolder(path)) return WriteResult::kFailed;
  // In a folder that exists only in this dry run nothing can be in the way.
  if (MadeFolder(disk::DirectoryOf(path))) return WriteResult::kWritten;
  return below_.CheckReplace(path);
}

WriteResult OverlayFileSystem::ReplaceFile(const std::string& path, std::string_view bytes) {
  const WriteResult checked = CheckReplace(path);
  if (checked != WriteResult::kWritten) return checked;
  Keep(path, bytes);
  return WriteResult::kWritten;
}

void OverlayFileSystem::Keep(const std::string& path, std::string_view bytes) {
  const auto it = index_.find(path);
  if (it != index_.end()) {
    outputs_[it->second].bytes.assign(bytes.data(), bytes.size());
  } else {
    index_.emplace(path, outputs_.size());
    outputs_.push_back({path, std::string(bytes)});
  }
}

WriteResult OverlayFileSystem::CheckCopy(const std::string& source, const std::string& destination) {
  if (MadeFolder(disk::DirectoryOf(destination))) {
    // The folder exists only in this dry run: the source decides alone.
    return KindOf(source) == FileKind::kRegular ? WriteResult::kWritten : WriteResult::kFailed;
  }
  return below_.CheckCopy(source, destination);
}

}  // namespace quillon
