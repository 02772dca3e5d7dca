// The built-in texts of the generated files that start from a fixed form:
// Main.pb (first run only), EventMain.pb (every run, in its two forms) and
// LoadLanguage.pb (when none exists yet). They are reproduced line by line.
#pragma once

#include "text/text.h"

namespace quillon {

// Main.pb with the placeholders "Open_WindowXY()" and "If WindowID(#" (80 lines).
const Lines& MainTemplate();
// EventMain.pb dispatching through call tables (UseCallFast on, 78 lines).
const Lines& EventMainCallTableTemplate();
// EventMain.pb dispatching through Select blocks (UseCallFast off, 38 lines).
const Lines& EventMainSelectTemplate();
// The template selected by the UseCallFast switch.
const Lines& EventMainTemplate(bool use_call_fast);
// LoadLanguage.pb with an empty DefaultLanguage block (60 lines).
const Lines& LoadLanguageTemplate();

}  // namespace quillon
