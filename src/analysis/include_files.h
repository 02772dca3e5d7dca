// The include files named by the project's Main.pb.
#pragma once

#include "model/workspace.h"

namespace quillon {

// The name of the file an "IncludeFile" / "XIncludeFile" line includes, or
// "" when the line includes nothing (commented, keyword inside a string,
// no closing quote).
Text IncludeNameOfLine(const Text& line);

// Where an include name lies: names without directory and names starting
// with "/" are taken relative to the project directory, and so is any
// other relative directory part.
Text ResolveIncludeName(const Text& project_directory, const Text& name);

// Appends the resolved path of every file that `main_file_name` in the
// project directory includes, except the generated files, each path once in
// the order of its first mention. Nothing happens
// when the file cannot be read.
void CollectIncludeFiles(Workspace& ws, const Text& main_file_name);

}  // namespace quillon
