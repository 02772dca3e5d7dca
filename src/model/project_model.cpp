#include "model/project_model.h"

namespace quillon {

int32_t& SwitchAt(Switches& s, size_t index) {
  switch (index) {
    case 0: return s.parend;
    case 1: return s.pb_ignore;
    case 2: return s.multilang;
    case 3: return s.image_include;
    case 4: return s.image_null;
    case 5: return s.use_call_fast;
    default: return s.utf8;
  }
}

int32_t SwitchAt(const Switches& s, size_t index) { return SwitchAt(const_cast<Switches&>(s), index); }

Switches DefaultSwitches() {
  Switches s;
  s.parend = 1;
  s.pb_ignore = 1;
  s.use_call_fast = 1;
  s.utf8 = 1;
  return s;
}

Text ProjectDirectory(const Project& project) { return DirectoryPart(project.project_path); }

}  // namespace quillon
