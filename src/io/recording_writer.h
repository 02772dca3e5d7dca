// A writer that keeps a run's outputs in memory instead of writing them, so a
// preview can compare them with the disk. The run itself does not change.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "io/output_writer.h"

namespace quillon {

class RecordingWriter final : public OutputWriter {
 public:
  struct Output {
    std::string path;
    std::string bytes;
  };

  RecordingWriter() = default;
  // Writes below `ignored_directory` succeed without being kept.
  explicit RecordingWriter(std::string ignored_directory) : ignored_directory_(std::move(ignored_directory)) {}

  bool WriteFile(const std::string& path, const std::string& bytes, SymlinkPolicy policy) override;
  bool MakeDirectory(const std::string& path, unsigned mode) override;

  // Every file the run wrote, in the order of its first write, with its
  // last content.
  const std::vector<Output>& outputs() const { return outputs_; }
  const std::vector<std::string>& directories() const { return directories_; }

 private:
  std::vector<Output> outputs_;
  std::map<std::string, size_t> index_;
  std::vector<std::string> directories_;
  std::string ignored_directory_;
};

}  // namespace quillon
