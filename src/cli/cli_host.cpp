#include "cli/cli_host.h"

#include <algorithm>

#include "check/check_lists.h"

namespace quillon::cli {

namespace {

// An error line of the log starts with "Error" after its marks (" -> ",
// "- "); "Error" inside a warning or a file name reports nothing.
bool IsErrorLine(const Text& line) {
  size_t at = 0;
  while (at < line.size() && (line[at] == U' ' || line[at] == U'-' || line[at] == U'>')) ++at;
  return line.compare(at, 5, U"Error") == 0;
}

}  // namespace

void CliHost::AddLogLine(const Text& line) {
  if (IsErrorLine(line)) saw_error_ = true;
  const std::string bytes = ToUtf8(line);
  std::fwrite(bytes.data(), 1, bytes.size(), out_);
  std::fputc('\n', out_);
}

BindReply CliHost::AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) {
  Lines old_left = unbound_old;
  Lines new_left = unbound_new;
  BindReply reply;
  last_kind_asked_ = kind;
  for (size_t i = 0; i < options_.binds.size(); ++i) {
    const BindOption& bind = options_.binds[i];
    if (bind.kind != kind) continue;
    const auto old_it = std::find(old_left.begin(), old_left.end(), bind.old_name);
    const auto new_it = std::find(new_left.begin(), new_left.end(), bind.new_name);
    if (old_it == old_left.end() || new_it == new_left.end()) continue;
    reply.todo.push_back(bind.old_name + U" > " + bind.new_name);
    bind_used_[i] = true;
    old_left.erase(old_it);
    new_left.erase(new_it);
  }
  if (!old_left.empty() && !options_.drop_unbound) {
    for (const Text& name : old_left) {
      std::fprintf(err_, "unbound %s: %s\n", ToUtf8(KindWord(kind)).c_str(), ToUtf8(name).c_str());
    }
    reply.cancelled = true;
  }
  return reply;
}

void CliHost::ShowError(const Text&, const Text& message) {
  saw_error_ = true;
  std::fprintf(err_, "%s\n", ToUtf8(message).c_str());
}

void CliHost::ReportUnusedBinds(bool run_completed) const {
  for (size_t i = 0; i < options_.binds.size(); ++i) {
    const BindOption& bind = options_.binds[i];
    if (bind_used_[i] || (!run_completed && bind.kind > last_kind_asked_)) continue;
    std::fprintf(err_, "quillon: --bind %s bound nothing\n", bind.text.c_str());
  }
}

}  // namespace quillon::cli
