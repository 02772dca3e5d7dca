#include "generate/designer_procedures.h"

#include <unordered_set>

#include "generate/procedure_lines.h"
#include "text/encoding.h"

namespace quillon {

namespace {

void AddDefinedNames(const Lines& lines, std::unordered_set<Text>& defined) {
  for (const Text& line : lines) {
    const TextView name = DefinedProcedureName(line);
    if (!name.empty()) defined.insert(Upper(name));
  }
}

}  // namespace

void AddDesignerProcedures(Workspace& ws) {
  AnalysisModel& model = ws.analysis;
  if (model.declared_procedures.empty()) return;
  std::unordered_set<Text> defined;
  for (const Lines* lines : {&model.form_code, &model.main_lines, &model.event_menu_lines, &model.event_gadget_lines,
                             &model.event_window_lines, &model.event_designer_lines}) {
    AddDefinedNames(*lines, defined);
  }
  for (const Text& path : model.include_files) {
    TextFile file;
    // An include file that cannot be read defines nothing we can see; the
    // include-file update already reports it.
    if (ReadTextFileAs(*ws.files, ToUtf8(path), AsciiOrUtf8, &file, model.output_format)) {
      AddDefinedNames(file.lines, defined);
    }
  }
  Lines& out = model.event_designer_lines;
  for (const DeclaredProcedure& procedure : model.declared_procedures) {
    if (!defined.insert(Upper(procedure.name)).second) continue;
    if (out.empty()) {
      out.emplace_back(";-TOP");
      out.emplace_back();
      out.emplace_back("; Quillon Event Designer");
      AppendSeparatorBlock(out);
    }
    out.push_back(procedure.signature);
    out.emplace_back("  ");
    out.emplace_back("EndProcedure");
    AppendSeparatorBlock(out);
  }
}

bool HoldsProcedure(const Lines& lines) {
  for (const Text& line : lines) {
    if (!DefinedProcedureName(line).empty()) return true;
  }
  return false;
}

}  // namespace quillon
