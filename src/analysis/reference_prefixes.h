// Gives every reference to an object constant in the form code its window
// prefix, not only the first "(#" after a command that the prefix pass sees:
// "Case #btnOk", "SetGadgetText(#A, GetGadgetText(#B))" or a helper procedure
// placed before its window would otherwise name constants that no generated
// enumeration defines.
#pragma once

#include "model/workspace.h"

namespace quillon {

// Runs after the object collection, with the objects it found. A reference
// "#name" becomes "#" + prefix + name when that is an object of the run
// (prefix: the window whose code the line is in), else "#W_name" when W is
// the only window with an object W_name; anything else stays as written.
// A name that the designer also defined in an Enumeration is rewritten too:
// only our prefixed definition reaches CommonFile.pb.
void PrefixObjectReferences(Workspace& ws);

}  // namespace quillon
