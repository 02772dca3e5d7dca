#include "cli/cli_host.h"

#include <algorithm>

#include "check/binding_suggestions.h"
#include "host/log_lines.h"
#include "model/check_lists.h"

namespace quillon::cli {

void CliHost::AddLogLine(const Text& line) {
  if (log::ReportsError(line)) saw_error_ = true;
  const std::string bytes = ToUtf8(line);
  std::fwrite(bytes.data(), 1, bytes.size(), out_);
  std::fputc('\n', out_);
}

BindReply CliHost::AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) {
  return AskSuggestedBindings(kind, unbound_old, unbound_new, {});
}

namespace {

// Binds `old_name` to `new_name` when both are still unbound.
bool BindIfUnbound(const Text& old_name, const Text& new_name, Lines& old_left, Lines& new_left, BindReply& reply) {
  const auto old_it = std::find(old_left.begin(), old_left.end(), old_name);
  const auto new_it = std::find(new_left.begin(), new_left.end(), new_name);
  if (old_it == old_left.end() || new_it == new_left.end()) return false;
  reply.todo.push_back(old_name + " > " + new_name);
  old_left.erase(old_it);
  new_left.erase(new_it);
  return true;
}

}  // namespace

BindReply CliHost::AskSuggestedBindings(int kind, const Lines& unbound_old, const Lines& unbound_new,
                                        const std::vector<SuggestedBinding>& suggested) {
  Lines old_left = unbound_old;
  Lines new_left = unbound_new;
  BindReply reply;
  last_kind_asked_ = kind;
  for (size_t i = 0; i < options_.binds.size(); ++i) {
    const BindOption& bind = options_.binds[i];
    if (bind.kind != kind) continue;
    if (BindIfUnbound(bind.old_name, bind.new_name, old_left, new_left, reply)) bind_used_[i] = true;
  }
  if (options_.bind_suggested) {
    for (const SuggestedBinding& pair : suggested) {
      if (BindIfUnbound(pair.old_name, pair.new_name, old_left, new_left, reply)) {
        reply.suggested.push_back(reply.todo.back());
      }
    }
  }
  if (!old_left.empty() && !options_.drop_unbound) {
    for (const Text& name : old_left) {
      std::string line = "unbound " + ToUtf8(KindWord(kind)) + ": " + ToUtf8(name);
      const Text* suggestion = SuggestionFor(suggested, name);
      // Only a name that is still free is worth suggesting.
      if (suggestion && std::find(new_left.begin(), new_left.end(), *suggestion) != new_left.end()) {
        line += " (suggested: " + ToUtf8(*suggestion) + ")";
      }
      std::fprintf(err_, "%s\n", line.c_str());
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
