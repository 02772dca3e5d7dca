#include "analysis/designer_events.h"

#include <unordered_set>

#include "generate/procedure_lines.h"

namespace quillon {

namespace {

void CollectDeclaredProcedures(AnalysisModel& model) {
  std::unordered_set<Text> seen;
  for (const Text& line : model.carried_declarations) {
    const TextView name = DeclaredProcedureName(line);
    if (name.empty() || !seen.insert(Upper(name)).second) continue;
    model.declared_procedures.push_back({Text(name), ProcedureLineOfDeclare(line)});
  }
}

// The X of a line whose code is "Case #X" and nothing else; empty otherwise.
TextView CaseConstant(TextView code) {
  const Text trimmed = TrimBlanksAndTabs(code);
  const TextView word = FirstWordOf(trimmed);
  if (Upper(word) != "CASE" || trimmed.size() == word.size()) return {};
  const size_t hash = SkipBlanksAndTabs(trimmed, word.size());
  if (hash == word.size() || hash == Text::npos || trimmed[hash] != '#') return {};
  const size_t start = hash + 1;
  size_t end = start;
  while (end < trimmed.size() && IsNameChar(trimmed[end])) ++end;
  if (end == start || end != trimmed.size()) return {};
  return code.substr(code.find('#') + 1, end - start);
}

// True when the code starts with Name( for a declared name (blanks allowed
// before the bracket).
bool StartsWithDeclaredCall(TextView trimmed_code, const std::unordered_set<Text>& declared) {
  const TextView word = FirstWordOf(trimmed_code);
  if (word.empty() || !declared.count(Upper(word))) return false;
  const size_t bracket = SkipBlanksAndTabs(trimmed_code, word.size());
  return bracket != TextView::npos && trimmed_code[bracket] == '(';
}

void WireObjects(AnalysisModel& model) {
  std::unordered_set<Text> declared;
  for (const DeclaredProcedure& procedure : model.declared_procedures) declared.insert(Upper(procedure.name));
  std::unordered_set<Text> wired;
  const Lines& code_lines = model.form_code;
  for (size_t i = 0; i < code_lines.size(); ++i) {
    const TextView object = CaseConstant(CodeOfLine(code_lines[i]));
    if (object.empty()) continue;
    size_t next = i + 1;
    while (next < code_lines.size() && TrimBlanksAndTabs(CodeOfLine(code_lines[next])).empty()) ++next;
    if (next == code_lines.size()) break;
    Text call = TrimBlanksAndTabs(CodeOfLine(code_lines[next]));
    if (!StartsWithDeclaredCall(call, declared) || !wired.insert(Upper(object)).second) continue;
    model.designer_wirings.push_back({Text(object), std::move(call)});
  }
}

}  // namespace

void ReadDesignerEvents(AnalysisModel& model) {
  CollectDeclaredProcedures(model);
  if (!model.declared_procedures.empty()) WireObjects(model);
}

}  // namespace quillon
