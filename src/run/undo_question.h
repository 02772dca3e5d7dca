// The question the window asks before an undo: which run it undoes (the
// last completed one, also after a cancelled run) and, since undo is all or
// nothing, which files stop it.
#pragma once

#include <string>

#include "text/text.h"

namespace quillon {

// Empty when there is nothing to undo.
Text UndoQuestionText(const std::string& project_directory);

}  // namespace quillon
