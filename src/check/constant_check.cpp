#include "check/constant_check.h"

#include <algorithm>

#include "check/binding_suggestions.h"
#include "check/todo_entry.h"
#include "text/view_index.h"

namespace quillon {

Lines UnboundNames(const Lines& names, const Lines& others) {
  // The usual regeneration: the same names as last time, in the same order.
  if (names == others) return {};
  // Views into `others`: no copy of every name just to look them up.
  ViewIndex known;
  known.Reserve(others.size());
  for (const Text& other : others) known.Insert(other);
  Lines unbound;
  for (const Text& name : names) {
    if (known.Find(name) == ViewIndex::kNone) unbound.push_back(name);
  }
  return unbound;
}

void RenameWindowPrefixes(const std::vector<Replacement>& replacements, Lines* names, const WindowPrefixGuard& guard) {
  for (const Replacement& r : replacements) {
    if (r.kind != kKindWindow) continue;
    const Text old_prefix = r.old_name + '_';
    const Text new_prefix = r.new_name + '_';
    const Lines extending = guard.ExtendingWindows(r.old_name);
    for (Text& name : *names) {
      if (name.compare(0, old_prefix.size(), old_prefix) == 0 &&
          !WindowPrefixGuard::NameBelongsToOneOf(name, extending)) {
        name = new_prefix + name.substr(old_prefix.size());
      }
    }
  }
}

namespace {

// Shared by every kind once the unbound lists are known: the dialog is asked
// for only when some old name is unbound, with the pairs suggested from the
// saved and current lists; its todo entries become records.
bool AskAndRecordBindings(Workspace& ws, RunHost& host, int kind, const Lines& saved, const Lines& current) {
  CheckLists& check = ws.check;
  if (check.unbound_old.empty()) return true;
  const Lines no_windows;
  const std::vector<SuggestedBinding> suggested = SuggestBindings(
      saved, current, check.unbound_old, check.unbound_new, kind == kKindWindow ? no_windows : ws.analysis.windows);
  const BindReply reply = host.AskSuggestedBindings(kind, check.unbound_old, check.unbound_new, suggested);
  if (reply.cancelled) return false;
  // Code moves with every binding: a pair nobody chose one by one is named.
  for (const Text& entry : reply.suggested) {
    if (std::find(reply.todo.begin(), reply.todo.end(), entry) == reply.todo.end()) continue;
    const TodoParts parts = SplitTodoEntry(entry);
    host.AddLogLine(" -> Bind Suggested " + Text(KindWord(kind)) + ": " + parts.old_name + " = " + parts.new_name);
  }
  for (const Text& entry : reply.todo) {
    Replacement record;
    if (ParseTodoEntry(entry, kind, &record)) check.replacements.push_back(std::move(record));
  }
  return true;
}

}  // namespace

bool CheckWindowConstants(Workspace& ws, RunHost& host) {
  CheckLists& check = ws.check;
  check.unbound_old.clear();
  check.unbound_new.clear();
  check.replacements.clear();
  check.unbound_old = UnboundNames(ws.project.saved_windows, ws.analysis.windows);
  check.unbound_new = UnboundNames(ws.analysis.windows, ws.project.saved_windows);
  return AskAndRecordBindings(ws, host, kKindWindow, ws.project.saved_windows, ws.analysis.windows);
}

bool CheckKindConstants(Workspace& ws, RunHost& host, int kind) {
  CheckLists& check = ws.check;
  check.unbound_old.clear();
  check.unbound_new.clear();
  RenameWindowPrefixes(check.replacements, &check.old_constants,
                       WindowPrefixGuard(ws.analysis.windows, ws.project.saved_windows));
  check.unbound_old = UnboundNames(check.old_constants, check.new_constants);
  check.unbound_new = UnboundNames(check.new_constants, check.old_constants);
  return AskAndRecordBindings(ws, host, kind, check.old_constants, check.new_constants);
}

}  // namespace quillon
