// The run host of the command line: log lines on stdout, bindings from the
// --bind options, error boxes on stderr.
#pragma once

#include <cstdio>
#include <vector>

#include "cli/cli_options.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon::cli {

class CliHost final : public RunHost {
 public:
  CliHost(const Workspace& ws, const CliOptions& options, std::FILE* out, std::FILE* err)
      : ws_(ws), options_(options), out_(out), err_(err) {}

  void AddLogLine(const Text& line) override;
  BindReply AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) override;
  // Explicit --bind options first, then (with --bind-suggested) every
  // suggested pair whose names are both still unbound. A cancel names each
  // unbound old name on stderr, with its suggestion when it has one.
  BindReply AskSuggestedBindings(int kind, const Lines& unbound_old, const Lines& unbound_new,
                                 const std::vector<SuggestedBinding>& suggested) override;
  bool AskProjectName() override { return false; }  // the command line always names the project
  Lines FileListItems() override { return ws_.project.files; }
  void ShowError(const Text& title, const Text& message) override;

  // True when a log line reported an error or an error box was shown: the
  // run may have completed, but some file was not read, copied or written.
  bool SawError() const { return saw_error_; }
  // Names on stderr every --bind that bound nothing (a typo, or a name that
  // is not renamed): all of them after a completed run, after a cancel only
  // those of the kinds checked so far.
  void ReportUnusedBinds(bool run_completed) const;

 private:
  const Workspace& ws_;
  const CliOptions& options_;
  std::FILE* out_;
  std::FILE* err_;
  bool saw_error_ = false;
  int last_kind_asked_ = 0;
  std::vector<bool> bind_used_ = std::vector<bool>(options_.binds.size(), false);
};

}  // namespace quillon::cli
