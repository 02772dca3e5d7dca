// A streamed file held in memory until it is finished, for the file systems
// that keep files in memory (tests, a dry run): `finish` puts the bytes in
// place.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "io/file_system.h"

namespace quillon {

class BufferedStreamedFile final : public StreamedFile {
 public:
  explicit BufferedStreamedFile(std::function<WriteResult(const std::string&)> finish) : finish_(std::move(finish)) {}

  bool Append(std::string_view bytes) override {
    bytes_.append(bytes.data(), bytes.size());
    return true;
  }
  bool Overwrite(std::uint64_t offset, std::string_view bytes) override {
    if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) return false;
    bytes_.replace(static_cast<size_t>(offset), bytes.size(), bytes.data(), bytes.size());
    return true;
  }
  bool Truncate(std::uint64_t size) override {
    if (size > bytes_.size()) return false;
    bytes_.resize(static_cast<size_t>(size));
    return true;
  }
  std::uint64_t Size() const override { return bytes_.size(); }
  WriteResult Finish() override { return finish_(bytes_); }

 private:
  std::function<WriteResult(const std::string&)> finish_;
  std::string bytes_;
};

}  // namespace quillon
