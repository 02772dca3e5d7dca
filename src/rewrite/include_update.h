// Step 3's renaming inside the user's include files on disk.
#pragma once

#include <vector>

#include "model/check_lists.h"
#include "check/window_prefix_guard.h"
#include "rewrite/variable_renames.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// The three rule sets of an include file, then the variable renames, applied
// to `lines`; returns the number of changes, one per rule, record and line
// that it altered. `guard` keeps the names of windows that extend a renamed
// one apart.
long ApplyIncludeRules(const std::vector<Replacement>& replacements, Lines* lines,
                       const WindowPrefixGuard& guard = WindowPrefixGuard(),
                       const VariableRenames& variables = VariableRenames());

// Reads every include file of Main.pb (never creating one) and rewrites the
// ones the bindings change, keeping their single-byte or UTF-8 (with mark)
// format. Files marked UTF-16 or UTF-32 are left alone.
void UpdateIncludeFiles(Workspace& ws, RunHost& host, const WindowPrefixGuard& guard = WindowPrefixGuard(),
                        const VariableRenames& variables = VariableRenames());

}  // namespace quillon
