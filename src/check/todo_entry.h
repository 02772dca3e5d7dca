// The entries of the binding dialog's todo list: "old > new". The dialog
// builds them, the constant check reads them back into replacements.
#pragma once

#include "model/check_lists.h"
#include "text/text.h"

namespace quillon {

// "old > new".
Text MakeTodoEntry(TextView old_name, TextView new_name);

struct TodoParts {
  Text old_name;  // text before the first ">", blanks trimmed
  Text new_name;  // text between the first and the second ">" (or the end), blanks trimmed
};
TodoParts SplitTodoEntry(TextView entry);

// The replacement an entry stands for. False for an entry without ">" or
// with an empty side: renaming "#old" to a bare "#" (or every "#" to
// "#new") would damage the user's code.
bool ParseTodoEntry(TextView entry, int kind, Replacement* out);

}  // namespace quillon
