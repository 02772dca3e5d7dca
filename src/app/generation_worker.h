// A generation run in its own worker thread.
#pragma once

namespace quillon::app {

struct App;

// "Start" (main thread): starts GenerationWorker unless a run is active.
// While the run lasts, the commands that change the project are refused.
void StartGenerationRun(App& app);

// Request 1032 (main thread): the worker's last request.
void FinishGenerationRun(App& app);

}  // namespace quillon::app
