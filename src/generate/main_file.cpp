#include "generate/main_file.h"

namespace quillon {

void AdjustMainFile(AnalysisModel& model) {
  if (model.windows.empty()) return;
  const Text& first = model.windows.front();
  const Text call = Text(U"Open_") + first + U"()";
  constexpr TextView kPlaceholder = U"Open_WindowXY()";
  constexpr TextView kWindowTest = U"If WindowID(#";
  for (Text& line : model.main_lines) {
    if (line.find(kPlaceholder) != Text::npos) {
      line = ReplaceNoCase(line, kPlaceholder, call);
    } else if (line.find(kWindowTest) != Text::npos) {
      line = Text(U"  If WindowID(#") + first + U")";
      return;
    }
  }
}

}  // namespace quillon
