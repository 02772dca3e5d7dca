#include "io/recording_writer.h"

namespace quillon {

bool RecordingWriter::WriteFile(const std::string& path, const std::string& bytes, SymlinkPolicy) {
  if (!ignored_directory_.empty() && path.compare(0, ignored_directory_.size(), ignored_directory_) == 0) {
    return true;
  }
  const auto it = index_.find(path);
  if (it != index_.end()) {
    outputs_[it->second].bytes = bytes;
    return true;
  }
  index_.emplace(path, outputs_.size());
  outputs_.push_back({path, bytes});
  return true;
}

bool RecordingWriter::MakeDirectory(const std::string& path, unsigned) {
  directories_.push_back(path);
  return true;
}

}  // namespace quillon
