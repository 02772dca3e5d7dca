// Output writers for the rewrite tests: one that records what reaches the
// disk and can refuse chosen paths.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "io/output_writer.h"

namespace quillon::testing {

class RecordingWriter final : public OutputWriter {
 public:
  bool WriteFile(const std::string& path, const std::string& bytes, SymlinkPolicy policy) override {
    written.push_back(path);
    policies.push_back(policy);
    if (failing.count(path)) return false;
    return disk_.WriteFile(path, bytes, policy);
  }
  bool MakeDirectory(const std::string& path, unsigned mode) override {
    made.push_back(path);
    return disk_.MakeDirectory(path, mode);
  }

  std::set<std::string> failing;  // paths whose write fails
  std::vector<std::string> written;
  std::vector<SymlinkPolicy> policies;
  std::vector<std::string> made;

 private:
  DiskWriter disk_;
};

}  // namespace quillon::testing
