#include "generate/designer_procedures.h"

#include <unordered_set>

#include "generate/procedure_lines.h"
#include "text/encoding.h"

namespace quillon {

namespace {

template <class LineList>
void AddDefinedNames(const LineList& lines, std::unordered_set<Text>& defined) {
  for (TextView line : lines) {
    const TextView name = DefinedProcedureName(line);
    if (!name.empty()) defined.insert(Upper(name));
  }
}

}  // namespace

void AddDesignerProcedures(Workspace& ws) {
  AnalysisModel& model = ws.analysis;
  if (model.declared_procedures.empty()) return;
  std::unordered_set<Text> defined;
  AddDefinedNames(model.form_code, defined);
  AddDefinedNames(model.main_lines, defined);
  for (const LineStore* lines :
       {&model.event_menu_lines, &model.event_gadget_lines, &model.event_window_lines, &model.event_designer_lines}) {
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
  LineStore& out = model.event_designer_lines;
  for (const DeclaredProcedure& procedure : model.declared_procedures) {
    if (!defined.insert(Upper(procedure.name)).second) continue;
    if (out.empty()) {
      out.push_back(";-TOP");
      out.emplace_back();
      out.push_back("; Quillon Event Designer");
      AppendSeparatorBlock(out);
    }
    out.push_back(procedure.signature);
    out.push_back("  ");
    out.push_back("EndProcedure");
    AppendSeparatorBlock(out);
  }
}

bool HoldsProcedure(const LineStore& lines) {
  for (TextView line : lines) {
    if (!DefinedProcedureName(line).empty()) return true;
  }
  return false;
}

}  // namespace quillon
