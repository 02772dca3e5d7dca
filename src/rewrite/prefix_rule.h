// The window rule of the renaming passes: the text that begins a window's
// names ("#Main_", "EventGadget_Main_") replaced wherever it occurs, compared
// without case, except where it begins the name of another window that
// extends the renamed one ("#Main_Settings_Ok" when Main is renamed).
#pragma once

#include "check/window_prefix_guard.h"
#include "text/line_store.h"
#include "text/text.h"

namespace quillon {

struct PrefixRule {
  Text find;                         // e.g. "#Main_"
  Text replacement;                  // e.g. "#Start_"
  size_t name_offset = 0;            // where the window's name starts within `find`
  const Lines* extending = nullptr;  // WindowPrefixGuard::ExtendingWindows
};

// The rule applied to one line; true when the line changed.
bool ApplyPrefixRule(const PrefixRule& rule, Text& line);
// The rule applied to every line; returns the number of lines it changed.
long ApplyPrefixRule(const PrefixRule& rule, Lines& lines);
long ApplyPrefixRule(const PrefixRule& rule, LineStore& lines);

}  // namespace quillon
