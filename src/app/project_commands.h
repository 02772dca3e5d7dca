// The project commands of the main window (main thread): New, Load, Save,
// Save As, the save prompt, Exit and the file list commands.
#pragma once

namespace quillon::app {

struct App;

// Save As sequence; true when the project was saved under the chosen name.
bool SaveAs(App& app);
// The save prompt of New, Load and Exit; true to go on, false to abandon.
bool SavePrompt(App& app);

void ProjectNew(App& app);
void ProjectLoad(App& app);
void ProjectSave(App& app);
void CommonAdd(App& app);
void CommonDelete(App& app);
void CommonFirstFile(App& app);
// The exit sequence: sets ExitRequested or leaves everything unchanged.
void RequestExit(App& app);

}  // namespace quillon::app
