#include "project/app_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "io/file_io.h"
#include "io/path_queries.h"

#include "quillon_version.h"

namespace quillon {

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string LastComponent(const std::string& directory) {
  std::string path = directory;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path.substr(path.rfind('/') + 1);
}

// A folder of installed programs is shared by every user and owned by the
// package manager: settings never go there, even for root, who can write it.
bool IsProgramsFolder(const std::string& directory) {
  const std::string name = LastComponent(directory);
  return name == "bin" || name == "sbin" || name == "games" || name == LastComponent(QUILLON_INSTALL_BINDIR);
}

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string ProgramDirectory() {
  std::string path;
  if (!ReadSymlink("/proc/self/exe", &path)) return "./";
  return path.substr(0, path.rfind('/') + 1);
}

std::string ChooseSettingsDirectory(const SettingsEnvironment& env) {
  if (env.program_directory_writable && !IsProgramsFolder(env.program_directory)) {
    return WithSlash(env.program_directory);
  }
  // The XDG base directory rules ignore a relative value.
  if (!env.xdg_config_home.empty() && env.xdg_config_home[0] == '/') {
    return WithSlash(env.xdg_config_home) + "quillon/";
  }
  if (!env.home.empty() && env.home[0] == '/') return WithSlash(env.home) + ".config/quillon/";
  return WithSlash(env.program_directory);
}

SettingsEnvironment CurrentSettingsEnvironment() {
  SettingsEnvironment env;
  env.program_directory = ProgramDirectory();
  env.program_directory_writable = CanWriteInFolder(env.program_directory);
  env.xdg_config_home = EnvironmentValue("XDG_CONFIG_HOME");
  env.home = EnvironmentValue("HOME");
  if (env.home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid())) env.home = user->pw_dir ? user->pw_dir : "";
  }
  return env;
}

const std::string& SettingsDirectory() {
  static const std::string directory = ChooseSettingsDirectory(CurrentSettingsEnvironment());
  return directory;
}

bool MakeSettingsDirectory(const std::string& directory) {
  std::string path = directory;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (FileExists(path)) return IsDirectory(path);
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeSettingsDirectory(path.substr(0, slash))) return false;
  return MakeDirectory(path, 0700) && IsDirectory(path);
}

std::string WriteProblem(const std::string& path) {
  FileKind kind = FileKind::kMissing;
  if (LookAt(path, &kind) == 0 && kind == FileKind::kDirectory) return std::strerror(EISDIR);
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  if (!folder.empty()) {
    if (const int error = LookAt(folder, &kind)) return std::strerror(error);
    if (!CanWriteInFolder(folder)) return std::strerror(errno);
  }
  if (IsWriteProtected(path)) return std::strerror(errno);
  return "";
}

std::string SettingsPath() { return SettingsDirectory() + "QN4.INI"; }

std::string UserListPath() { return SettingsDirectory() + "UserList.INI"; }

}  // namespace quillon
