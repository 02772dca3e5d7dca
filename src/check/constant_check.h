// The pieces of Step 2: comparing one kind's saved names with its current
// names and turning the user's bindings into replacements.
#pragma once

#include <vector>

#include "model/check_lists.h"
#include "check/window_prefix_guard.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// The names of `names` that have no exactly equal name in `others`, in the
// order of `names` (duplicates kept). Linear: one hash set of `others`.
Lines UnboundNames(const Lines& names, const Lines& others);

// Applies every window binding (kind 1) of `replacements`, in list order, to
// the names that begin with "old_": they begin with "new_" afterwards. A
// name renamed by one binding is tested again by the later ones. Names of a
// window that extends the renamed one (`guard`) keep their prefix.
void RenameWindowPrefixes(const std::vector<Replacement>& replacements, Lines* names,
                          const WindowPrefixGuard& guard = WindowPrefixGuard());

// Kind 1: empties the unbound lists and the replacements, compares the saved
// and current windows and asks for bindings. False when the user cancelled.
bool CheckWindowConstants(Workspace& ws, RunHost& host);

// Kinds 2 to 6 on the work lists ws.check.old_constants / new_constants,
// after renaming the window prefixes of the old names. False on cancel.
bool CheckKindConstants(Workspace& ws, RunHost& host, int kind);

}  // namespace quillon
