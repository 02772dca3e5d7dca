#include "generate/common_file.h"

#include <iterator>


namespace quillon {

void BuildCommonFile(AnalysisModel& model, bool multilang) {
  Lines& out = model.common_file_lines;
  auto append = [&out](const Lines& lines) { out.insert(out.end(), lines.begin(), lines.end()); };
  out.emplace_back(U"; Quillon Commonfile (Do Not Edit - Allways Overwrite)");
  AppendSeparatorBlock(out);
  append(model.constants_code);
  AppendSeparatorBlock(out);
  append(model.fonts_code);
  append(model.images_code);
  AppendSeparatorBlock(out);
  if (multilang) {
    out.emplace_back(U"IncludeFile \"LoadLanguage.pb\"");
    AppendSeparatorBlock(out);
  }
  // Nothing reads the form code after this point: moving it saves a copy of
  // the largest list of the run.
  out.insert(out.end(), std::make_move_iterator(model.form_code.begin()),
             std::make_move_iterator(model.form_code.end()));
  model.form_code.clear();
}

}  // namespace quillon
