// A generation run in its own worker thread.
#pragma once

#include "text/text.h"

namespace quillon::app {

struct App;

// The log line an exit asked for during a run leaves, and the one that
// says why the program stays open after all.
inline constexpr TextView kExitAfterRunLine = "Quillon will exit when this run has ended.";
inline constexpr TextView kExitAbandonedLine =
    "The run reported errors: Quillon stays open so you can read the log. Exit again when you are done.";

// A log line that reports an error: "Error" right after its marks (" -> ",
// "- "), or a line that stops the run ("Stop!").
bool IsErrorLine(const Text& line);

// "Start" (main thread): starts GenerationWorker unless a run is active.
// While the run lasts, the commands that change the project are refused.
void StartGenerationRun(App& app);

// Request 1032 (main thread): the worker's last request. An exit asked for
// during the run is carried out now, unless the run reported an error line:
// then the window stays with its log.
void FinishGenerationRun(App& app);

}  // namespace quillon::app
