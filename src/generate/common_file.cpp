#include "generate/common_file.h"

#include <iterator>

#include "generate/designer_procedures.h"

namespace quillon {

void BuildCommonFile(AnalysisModel& model, bool multilang) {
  Lines& out = model.common_file_lines;
  // Nothing reads these lists after this point: their lines move instead of
  // being copied (the form code is the largest list of the run).
  auto move_in = [&out](Lines& lines) {
    out.insert(out.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    Lines().swap(lines);  // its room too
  };
  constexpr size_t kFixedLines = 22;  // the title, five separator blocks, the include line, two headings
  out.reserve(out.size() + kFixedLines + model.constants_code.size() + model.fonts_code.size() +
              model.images_code.size() + model.carried_declarations.size() + model.form_code.size());
  out.emplace_back("; Quillon Commonfile (Do Not Edit - Allways Overwrite)");
  AppendSeparatorBlock(out);
  move_in(model.constants_code);
  AppendSeparatorBlock(out);
  move_in(model.fonts_code);
  move_in(model.images_code);
  AppendSeparatorBlock(out);
  if (multilang) {
    out.emplace_back("IncludeFile \"LoadLanguage.pb\"");
    AppendSeparatorBlock(out);
  }
  // What the form files declare outside their procedures, which the
  // procedures need (globals, declared procedures, the designer's constants).
  if (!model.carried_declarations.empty()) {
    out.emplace_back(";- Declarations");
    out.emplace_back(";");
    out.insert(out.end(), model.carried_declarations.begin(), model.carried_declarations.end());
    out.emplace_back();
    AppendSeparatorBlock(out);
  }
  move_in(model.form_code);
  if (HoldsProcedure(model.event_designer_lines)) out.emplace_back("XIncludeFile \"EventDesigner.pb\"");
}

}  // namespace quillon
