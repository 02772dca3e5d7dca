// The one place a generation run hands its outputs to: generated files,
// rewritten include files, backup copies and the project file. The disk
// writer replaces files atomically; a preview writer can record instead.
#pragma once

#include <string>

#include "io/file_io.h"

namespace quillon {

class OutputWriter {
 public:
  virtual ~OutputWriter() = default;
  // Replaces `path` by `bytes`; false (old content intact) on failure.
  virtual bool WriteFile(const std::string& path, const std::string& bytes,
                         SymlinkPolicy policy = SymlinkPolicy::kWriteThrough) = 0;
  // Creates a directory; true when it exists afterwards.
  virtual bool MakeDirectory(const std::string& path, unsigned mode) = 0;
};

class DiskWriter final : public OutputWriter {
 public:
  bool WriteFile(const std::string& path, const std::string& bytes, SymlinkPolicy policy) override {
    return WriteFileAtomic(path, bytes, policy);
  }
  bool MakeDirectory(const std::string& path, unsigned mode) override {
    return quillon::MakeDirectory(path, mode);
  }
};

}  // namespace quillon
