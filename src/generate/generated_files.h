// Reading back the generated files of the previous run, so that the user's
// code in them survives regeneration.
#pragma once

#include "model/workspace.h"

namespace quillon {

// File names of the generated files in the project directory.
inline constexpr TextView kMainFile = "Main.pb";
inline constexpr TextView kCommonFile = "CommonFile.pb";
inline constexpr TextView kEventMainFile = "EventMain.pb";
inline constexpr TextView kEventMenuFile = "EventMenu.pb";
inline constexpr TextView kEventGadgetFile = "EventGadget.pb";
inline constexpr TextView kEventWindowFile = "EventWindow.pb";
inline constexpr TextView kEventDesignerFile = "EventDesigner.pb";
inline constexpr TextView kLoadLanguageFile = "LoadLanguage.pb";
inline constexpr TextView kCatalogFile = "Catalog";

// Fills main_lines, event_main_lines, load_language_lines, the four event
// file lists and language_strings from the project directory (templates
// where a file cannot be read). Expects those collections empty. Logs nothing;
// files that exist but cannot be read back go to kept_generated_files.
void ReadGeneratedFiles(Workspace& ws);

}  // namespace quillon
