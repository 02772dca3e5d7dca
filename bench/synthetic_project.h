// Synthetic designer projects for the scale benchmark: N windows with 60
// gadgets each, menus, tool bars, status bars, images, fonts and texts, a
// Main.pb that includes a user file, and (after a first run) user code inside
// the generated event procedures.
#pragma once

#include <string>
#include <vector>

namespace bench {

inline constexpr int kGadgetsPerWindow = 60;

// Writes the project into `dir` (created, must not hold an older project) and
// returns the project file's path, or "" on failure.
std::string WriteSyntheticProject(const std::string& dir, int windows);

// Emulates a user who filled the event procedures: inserts two lines of code
// after every "Procedure Event..." line of the three event files. Returns the
// number of procedures touched, or -1 when a file cannot be read or written.
long AddUserCodeToEventFiles(const std::string& dir);

// Emulates a designer rename after a first run: in the first `windows` of
// `forms` forms the window Window_n becomes Win_n, and in every form the
// gadgets Gadget_50 to Gadget_59 become Renamed_50 to Renamed_59. False when
// a form cannot be read or written.
bool RenameInForms(const std::string& dir, int forms, int windows);
// The --bind options that bind every constant RenameInForms renamed.
std::vector<std::string> RenameBinds(int forms, int windows);

// Adds an include file to Main.pb whose only line names the constant
// `constant` `count` times. False when a file cannot be written.
bool AddLongLineInclude(const std::string& dir, const std::string& constant, long count);

// How many of those inserted blocks the event files hold now (-1 when a file
// cannot be read): a regeneration must keep every one.
long CountUserCodeInEventFiles(const std::string& dir);

}  // namespace bench
