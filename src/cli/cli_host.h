// The run host of the command line: log lines on stdout, bindings from the
// --bind options, error boxes on stderr.
#pragma once

#include <cstdio>

#include "cli/cli_options.h"
#include "run/run_host.h"
#include "run/workspace.h"

namespace quillon::cli {

class CliHost final : public RunHost {
 public:
  CliHost(const Workspace& ws, const CliOptions& options, std::FILE* out, std::FILE* err)
      : ws_(ws), options_(options), out_(out), err_(err) {}

  void AddLogLine(const Text& line) override;
  BindReply AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) override;
  bool AskProjectName() override { return false; }  // the command line always names the project
  Lines FileListItems() override { return ws_.project.files; }
  void ShowError(const Text& title, const Text& message) override;

 private:
  const Workspace& ws_;
  const CliOptions& options_;
  std::FILE* out_;
  std::FILE* err_;
};

}  // namespace quillon::cli
