// The project commands of the main window (main thread): New, Load, Save,
// Save As, the save prompt, Exit and the file list commands.
#pragma once

namespace quillon::app {

struct App;

enum class SaveAsResult {
  kSaved,      // saved under the chosen name
  kCancelled,  // chooser cancelled or overwrite declined
  kNotSaved,   // a name was chosen but nothing was written
};

// Save As sequence; true when the project was saved under the chosen name.
bool SaveAs(App& app);
SaveAsResult RunSaveAs(App& app);
// The save prompt of New, Load and Exit; true to go on, false to abandon
// (also when the question is closed without an answer).
bool SavePrompt(App& app);
// Start Generate: an unnamed project is saved first; then the Start Generate
// window opens. When the project ends up without a name the log says why.
void StartGenerate(App& app);

void ProjectNew(App& app);
void ProjectLoad(App& app);
void ProjectSave(App& app);
void CommonAdd(App& app);
void CommonDelete(App& app);
void CommonFirstFile(App& app);
// The exit sequence: sets ExitRequested or leaves everything unchanged.
void RequestExit(App& app);

}  // namespace quillon::app
