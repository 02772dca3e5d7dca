#include "support/quillon_process.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "io/file_io.h"
#include "support/temp_dir.h"

namespace quillon::testing {

namespace {
std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}
// The built program and the example project; the unprivileged run of the
// permission tests points these at copies its user can reach.
std::string FromEnvironment(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}
}  // namespace

std::string QuillonBinary() { return FromEnvironment("QUILLON_TEST_BINARY", QUILLON_BINARY); }

ProcessResult RunQuillon(const std::vector<std::string>& args, const std::string& working_dir) {
  TempDir scratch;
  std::string command = "cd " + Quote(working_dir) + " && " + Quote(QuillonBinary());
  for (const auto& a : args) command += " " + Quote(a);
  command += " >" + Quote(scratch.File("out")) + " 2>" + Quote(scratch.File("err")) + " </dev/null";
  const int status = std::system(command.c_str());
  ProcessResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadBytes(scratch.File("out"));
  result.err = ReadBytes(scratch.File("err"));
  return result;
}

void CopyExampleProject(const std::string& target) {
  const std::string command =
      "cp -R " + Quote(FromEnvironment("QUILLON_TEST_EXAMPLES", std::string(QUILLON_SOURCE_DIR) + "/examples") + "/.") +
      " " + Quote(target) + " && rm -rf " + Quote(target + "Backup") + " && cd " + Quote(target) +
      " && rm -f Main.pb CommonFile.pb EventMain.pb EventMenu.pb EventGadget.pb EventWindow.pb LoadLanguage.pb Catalog";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot copy the example project");
}

std::map<std::string, std::string> SnapshotTree(const std::string& dir) {
  std::map<std::string, std::string> files;
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string rel = pending.back();
    pending.pop_back();
    std::vector<std::string> names;
    if (!ListDirectory(dir + rel, &names)) continue;
    for (const auto& name : names) {
      const std::string path = dir + rel + name;
      struct stat st;
      if (::lstat(path.c_str(), &st) != 0) continue;
      if (S_ISDIR(st.st_mode)) {
        pending.push_back(rel + name + "/");
      } else if (S_ISREG(st.st_mode)) {
        files[rel + name] = ReadBytes(path);
      }
    }
  }
  return files;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t nl = text.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

}  // namespace quillon::testing
