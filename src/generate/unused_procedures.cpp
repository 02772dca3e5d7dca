#include "generate/unused_procedures.h"

#include <unordered_set>

#include "generate/event_files.h"
#include "generate/generated_files.h"
#include "generate/procedure_lines.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

struct SignatureForm {
  TextView prefix;  // "Procedure EventMenu_"
  TextView suffix;  // "()"
  const std::unordered_set<TextView>* names;
};

// The object name of `line` when it is exactly one of the signatures after
// leading blanks and tabs; empty otherwise.
TextView SignatureName(TextView line, const SignatureForm& form) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == TextView::npos) return {};
  line.remove_prefix(start);
  if (line.size() <= form.prefix.size() + form.suffix.size()) return {};
  if (line.substr(0, form.prefix.size()) != form.prefix) return {};
  if (line.substr(line.size() - form.suffix.size()) != form.suffix) return {};
  return line.substr(form.prefix.size(), line.size() - form.prefix.size() - form.suffix.size());
}

void LogFile(const LineStore& lines, std::initializer_list<SignatureForm> forms, const Text& path, RunHost& host) {
  for (TextView line : lines) {
    for (const SignatureForm& form : forms) {
      const TextView name = SignatureName(line, form);
      if (name.empty()) continue;
      if (!form.names->count(name)) {
        // The procedure name is the signature without "Procedure " and the parameters.
        const TextView procedure = form.prefix.substr(TextView("Procedure ").size());
        host.AddLogLine(log::UnusedProcedure(Text(procedure) + Text(name), path));
      }
      break;
    }
  }
}

// EventDesigner.pb's procedures that no carried Declare declares any more.
void LogDesignerFile(const AnalysisModel& model, const Text& path, RunHost& host) {
  std::unordered_set<Text> declared;
  for (const DeclaredProcedure& procedure : model.declared_procedures) declared.insert(Upper(procedure.name));
  for (TextView line : model.event_designer_lines) {
    const TextView name = DefinedProcedureName(line);
    if (!name.empty() && !declared.count(Upper(name))) host.AddLogLine(log::UnusedProcedure(name, path));
  }
}

}  // namespace

void LogUnusedProcedures(const AnalysisModel& model, const Text& project_directory, RunHost& host) {
  const std::unordered_set<TextView> menu_items(model.menu_items.begin(), model.menu_items.end());
  const std::unordered_set<TextView> windows(model.windows.begin(), model.windows.end());
  std::unordered_set<TextView> gadgets;
  for (const GadgetRecord& gadget : model.gadgets) {
    if (!IsPassiveGadget(gadget)) gadgets.insert(gadget.name);
  }
  LogFile(model.event_menu_lines, {{"Procedure EventMenu_", "()", &menu_items}},
          project_directory + Text(kEventMenuFile), host);
  LogFile(model.event_gadget_lines, {{"Procedure EventGadget_", "(EventType)", &gadgets}},
          project_directory + Text(kEventGadgetFile), host);
  LogFile(model.event_window_lines,
          {{"Procedure EventSize_", "()", &windows}, {"Procedure EventExit_", "()", &windows}},
          project_directory + Text(kEventWindowFile), host);
  LogDesignerFile(model, project_directory + Text(kEventDesignerFile), host);
}

}  // namespace quillon
