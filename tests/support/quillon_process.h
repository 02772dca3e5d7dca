// Runs the quillon binary as a user would, and snapshots project folders.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quillon::testing {

struct ProcessResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// The built quillon binary (QUILLON_TEST_BINARY when set: the unprivileged
// run of the permission tests points it at a copy its user can reach).
std::string QuillonBinary();

// Runs the built quillon binary with `args` in `working_dir`.
ProcessResult RunQuillon(const std::vector<std::string>& args, const std::string& working_dir = ".");

// Copies the bundled example project into `target` (a folder with trailing "/").
void CopyExampleProject(const std::string& target);

// Every regular file below `dir` (relative name -> bytes), symlinks not followed.
std::map<std::string, std::string> SnapshotTree(const std::string& dir);

// Lines of a text (split at "\n"; a final "\n" adds no line).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace quillon::testing
