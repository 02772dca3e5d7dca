// CommonFile.pb: everything the event code needs to compile, rewritten in
// every run.
#pragma once

#include "model/analysis_model.h"

namespace quillon {

// Appends to common_file_lines: title, constants, font and image code, the
// language include (with `multilang`), the carried declarations and the form
// code, which is moved out of form_code (nothing reads it afterwards).
void BuildCommonFile(AnalysisModel& model, bool multilang);

}  // namespace quillon
