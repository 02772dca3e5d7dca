// Multi-language support in Step 1: wrapping form-code literals into
// MyLanguage calls and collecting the texts of those calls.
#pragma once

#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// Wraps the first string literal of every form-code line (other than
// window and image loading lines) into MyLanguage(...). A line whose
// literal is not closed stays unchanged.
void InsertLanguageCalls(Workspace& ws);

// Adds the first quoted text of every line with a MyLanguage call to the
// language map, unless it is a key already.
void CollectLanguageTexts(Workspace& ws, const Lines& lines);
void CollectLanguageTexts(Workspace& ws, const LineStore& lines);

// Texts of the form code, the previous run's Main.pb and event files, and
// every include file. Include files are only read; one that cannot be read
// is reported and skipped.
void CollectLanguageStrings(Workspace& ws, RunHost& host);

}  // namespace quillon
