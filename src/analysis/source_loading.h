// Reading the project's sources at the start of Step 1: the mark of Main.pb,
// the output format, the file list, and the procedures, images and fonts of
// every source file.
#pragma once

#include <string>

#include "model/project_model.h"
#include "host/run_host.h"
#include "model/workspace.h"

namespace quillon {

// The byte-order mark code of the project directory's Main.pb, or
// kFormatUnreadable when it cannot be opened.
int CheckMainFile(const Workspace& ws);

// Format of this run's generated files: UTF-8 with mark when Main.pb has a
// UTF-8 mark, otherwise as the Utf8 switch says.
int ChooseOutputFormat(int main_file_bom, const Switches& switches);

// Appends the file list's items, top to bottom, to the source file list.
void CollectSourceFiles(Workspace& ws, RunHost& host);

// Where a source file of the file list is opened: a relative item lies in
// the project directory.
std::string SourceFileOpenPath(const Workspace& ws, const Text& item);

// Reads every source file: procedure lines (with separator blocks) into the
// form code, top-level image and font loading lines into Images and Fonts,
// constants defined at top level into the outside constants.
// A file that cannot be opened is skipped. The files are read from the disk
// itself, never through ws.files: Step 1 reads the generated files through
// it on another thread meanwhile.
void ReadSourceFiles(Workspace& ws);
// The same, logging "Error <path>: Open file error" for every skipped file,
// so that a run never looks complete while a form is missing.
void ReadSourceFiles(Workspace& ws, RunHost& host);

}  // namespace quillon
