#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quillon::testing {

TempDir::TempDir() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillon-test-XXXXXX";
  if (!mkdtemp(&pattern[0])) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  // Restore permissions first so that read-only test folders can be removed.
  const std::string command = "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path_.c_str());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void ReplaceInFile(const std::string& path, const std::string& from, const std::string& to) {
  std::string text = ReadBytes(path);
  if (text.find(from) == std::string::npos) {
    ADD_FAILURE() << from << " not in " << path;
    return;
  }
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  WriteBytes(path, text);
}

std::string JoinLines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

std::string ToUtf8Lines(const Lines& lines) {
  std::string out;
  for (const auto& l : lines) out += ToUtf8(l) + "\n";
  return out;
}

Lines L(std::initializer_list<std::string> lines) {
  Lines out;
  for (const auto& l : lines) out.push_back(FromUtf8(l));
  return out;
}

}  // namespace quillon::testing
