#include "cli/cli_main.h"

#include <cstdio>
#include <cstring>

#include "cli/cli_host.h"
#include "cli/cli_options.h"
#include "cli/preview.h"
#include "io/disk_file_system.h"
#include "io/overlay_file_system.h"
#include "project/absolute_path.h"
#include "project/app_paths.h"
#include "project/project_file.h"
#include "project/user_gadget_file.h"
#include "quillon_version.h"
#include "run/generation_run.h"
#include "run/undo_last_run.h"

namespace quillon::cli {

namespace {

constexpr int kExitReady = 0;
constexpr int kExitCancelled = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWouldChange = 3;
constexpr int kExitReadyWithErrors = 4;

// Built-in keyword tables plus the user gadget names; nothing is created.
bool LoadKeywords(const CliOptions& options, Workspace& ws) {
  if (!options.user_list.empty()) {
    if (!ReadUserGadgetFile(options.user_list, &ws.user_gadgets)) {
      std::fprintf(stderr, "quillon: cannot read user gadget list %s\n", options.user_list.c_str());
      return false;
    }
  } else {
    ReadUserGadgetFile(UserListPath(), &ws.user_gadgets);  // optional
  }
  ws.keywords = BuildKeywordSets(ws.user_gadgets);
  return true;
}

// --undo: the log lines on stdout, as a run prints them. The project file
// must exist: a misspelt name undoes nothing in its folder.
int UndoMain(const CliOptions& options) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Workspace ws;
  CliHost host(ws, options, stdout, stderr);
  ws.project.project_path = FromUtf8(AbsolutePath(options.project));
  if (!LoadProject(ws, ws.project.project_path, host)) return kExitUsage;
  const UndoOutcome outcome = UndoLastRun(ws.ProjectDirectoryPath(), ws.disk, options.dry_run, [](const Text& line) {
    std::fputs(ToUtf8(line).c_str(), stdout);
    std::fputc('\n', stdout);
  });
  std::fflush(stdout);
  switch (outcome) {
    case UndoOutcome::kNothingToUndo: std::fputs("nothing to undo\n", stderr); return kExitUsage;
    case UndoOutcome::kRestored: return kExitReady;
    case UndoOutcome::kBusy: return kExitCancelled;
    case UndoOutcome::kSomeKept: return kExitReadyWithErrors;
  }
  return kExitReadyWithErrors;
}

}  // namespace

bool IsCliInvocation(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--generate") || !std::strcmp(argv[i], "--undo") || !std::strcmp(argv[i], "--help") ||
        !std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--version")) {
      return true;
    }
  }
  return false;
}

int CliMain(int argc, char** argv) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "quillon: %s\n\n%s", error.c_str(), kUsage);
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    std::printf("\nSettings folder (QN4.INI, UserList.INI): %s\n", SettingsDirectory().c_str());
    return kExitReady;
  }
  if (options.version) {
    std::puts(QUILLON_PRODUCT_TITLE " (Rev. " QUILLON_REVISION_TEXT ")");
    return kExitReady;
  }
  if (options.undo) return UndoMain(options);

  // Every log line is out before the next one is made: a log piped into a
  // file or another program survives a crash of the run.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  // The process ends right after the run: the workspace stays reachable to the
  // end instead of freeing its lines (a million in a large project) one by one.
  static Workspace* const kept_workspace = new Workspace;
  Workspace& ws = *kept_workspace;
  if (!LoadKeywords(options, ws)) return kExitUsage;
  CliHost host(ws, options, stdout, stderr);
  const Text project_path = FromUtf8(AbsolutePath(options.project));
  ws.project.project_path = project_path;
  if (!LoadProject(ws, project_path, host)) return kExitUsage;  // "Error open file project" on stderr

  // A preview runs the very same pipeline; only the overlay keeps the
  // outputs in memory and serves them to the run's later reads.
  OverlayFileSystem overlay(ws.disk);
  const bool preview = options.dry_run || options.check;
  if (preview) {
    ws.files = &overlay;
    ws.keep_undo_record = false;  // a dry run records nothing
  }

  const RunOutcome outcome = RunGeneration(ws, host);
  ws.files = &ws.disk;  // the overlay ends with this function
  std::fflush(stdout);
  host.ReportUnusedBinds(outcome == RunOutcome::kReady);
  if (outcome != RunOutcome::kReady) return kExitCancelled;
  if (preview) {
    const size_t changed = PrintPreview(overlay, ws.ProjectDirectoryPath(), stdout);
    std::fflush(stdout);
    if (options.check && changed > 0) return kExitWouldChange;
  }
  std::fflush(stdout);
  return host.SawError() ? kExitReadyWithErrors : kExitReady;
}

}  // namespace quillon::cli
