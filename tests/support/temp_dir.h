// A temporary folder per test, removed with everything in it afterwards.
#pragma once

#include <string>

#include "text/line_store.h"
#include "text/text.h"

namespace quillon::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, with a trailing "/".
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }
  Text TextPath(const std::string& name = "") const { return FromUtf8(path_ + name); }

 private:
  std::string path_;
};

// Whole-file helpers for test set-up and checks.
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// Every occurrence of `from` in the file replaced by `to`; a test failure
// when there is none (the set-up no longer does what the test means).
void ReplaceInFile(const std::string& path, const std::string& from, const std::string& to);
// Lines joined with "\n" after each, as UTF-8.
std::string JoinLines(std::initializer_list<std::string> lines);
std::string ToUtf8Lines(const Lines& lines);
inline std::string ToUtf8Lines(const LineStore& lines) { return ToUtf8Lines(lines.ToLines()); }
// Lines from UTF-8 literals.
Lines L(std::initializer_list<std::string> lines);

}  // namespace quillon::testing
