#include "model/check_lists.h"

namespace quillon {

TextView KindWord(int kind) {
  switch (kind) {
    case kKindWindow: return "Window";
    case kKindMenuBar: return "MenuBar";
    case kKindMenuItem: return "MenuItem";
    case kKindStatusBar: return "StatusBar";
    case kKindToolBar: return "ToolBar";
    case kKindGadget: return "Gadget";
    default: return "";
  }
}

}  // namespace quillon
