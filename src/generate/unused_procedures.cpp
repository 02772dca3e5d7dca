#include "generate/unused_procedures.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "generate/event_files.h"
#include "generate/generated_files.h"
#include "generate/procedure_lines.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

// The names of one kind of event procedure. A file that we wrote holds the
// procedures in the order of the names, so the name after the last one found
// is tried first; the table of all names is built at the first name out of
// that order.
class ProcedureNames {
 public:
  explicit ProcedureNames(std::vector<TextView> ordered) : ordered_(std::move(ordered)) {}

  bool Contains(TextView name) {
    if (next_ < ordered_.size() && ordered_[next_] == name) {
      ++next_;
      return true;
    }
    if (table_.empty()) table_.insert(ordered_.begin(), ordered_.end());
    return table_.count(name) > 0;
  }

 private:
  std::vector<TextView> ordered_;
  std::unordered_set<TextView> table_;
  size_t next_ = 0;
};

struct SignatureForm {
  TextView prefix;  // "Procedure EventMenu_"
  TextView suffix;  // "()"
  ProcedureNames* names;
};

// The object name of `line` when it is exactly one of the signatures after
// leading blanks and tabs; empty otherwise.
TextView SignatureName(TextView line, const SignatureForm& form) {
  const size_t start = SkipBlanksAndTabs(line);
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
      if (!form.names->Contains(name)) {
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
  ProcedureNames menu_items(std::vector<TextView>(model.menu_items.begin(), model.menu_items.end()));
  ProcedureNames size_windows(std::vector<TextView>(model.windows.begin(), model.windows.end()));
  ProcedureNames exit_windows(std::vector<TextView>(model.windows.begin(), model.windows.end()));
  std::vector<TextView> active_gadgets;
  active_gadgets.reserve(model.gadgets.size());
  for (const GadgetRecord& gadget : model.gadgets) {
    if (!IsPassiveGadget(gadget)) active_gadgets.push_back(gadget.name);
  }
  ProcedureNames gadgets(std::move(active_gadgets));
  LogFile(model.event_menu_lines, {{"Procedure EventMenu_", "()", &menu_items}},
          project_directory + Text(kEventMenuFile), host);
  LogFile(model.event_gadget_lines, {{"Procedure EventGadget_", "(EventType)", &gadgets}},
          project_directory + Text(kEventGadgetFile), host);
  LogFile(model.event_window_lines,
          {{"Procedure EventSize_", "()", &size_windows}, {"Procedure EventExit_", "()", &exit_windows}},
          project_directory + Text(kEventWindowFile), host);
  LogDesignerFile(model, project_directory + Text(kEventDesignerFile), host);
}

}  // namespace quillon
