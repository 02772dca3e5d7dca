#include "model/check_lists.h"

namespace quillon {

TextView KindWord(int kind) {
  switch (kind) {
    case kKindWindow: return U"Window";
    case kKindMenuBar: return U"MenuBar";
    case kKindMenuItem: return U"MenuItem";
    case kKindStatusBar: return U"StatusBar";
    case kKindToolBar: return U"ToolBar";
    case kKindGadget: return U"Gadget";
    default: return U"";
  }
}

}  // namespace quillon
