// Work lists of the constant check and its result, the replacements that the
// source rewriting applies.
#pragma once

#include "text/text.h"

namespace quillon {

// Constant kinds, checked in this order.
enum ConstantKind : int {
  kKindWindow = 1,
  kKindMenuBar = 2,
  kKindMenuItem = 3,
  kKindStatusBar = 4,
  kKindToolBar = 5,
  kKindGadget = 6,
};

// "Window", "MenuBar", "MenuItem", "StatusBar", "ToolBar", "Gadget".
TextView KindWord(int kind);

struct Replacement {
  Text old_name;
  Text new_name;
  int kind = 0;
};

// A pair the rename assistant proposes for the user to bind (see
// check/binding_suggestions.h for the rule).
struct SuggestedBinding {
  Text old_name;
  Text new_name;
};

struct CheckLists {
  Lines old_constants;
  Lines new_constants;
  Lines unbound_old;
  Lines unbound_new;
  std::vector<Replacement> replacements;

  void Clear() {
    old_constants.clear();
    new_constants.clear();
    unbound_old.clear();
    unbound_new.clear();
    replacements.clear();
  }
};

}  // namespace quillon
