#include "analysis/pb_any_objects.h"

#include <unordered_set>

#include "analysis/code_words.h"
#include "analysis/constant_tokens.h"
#include "analysis/object_collection.h"
#include "text/upper_name_set.h"

namespace quillon {

namespace {

bool IsObjectCommand(const Workspace& ws, const Text& upper_command) {
  return upper_command == "OPENWINDOW" || upper_command == "CREATESTATUSBAR" || upper_command == "CREATETOOLBAR" ||
         ws.keywords.gadget_keywords.count(upper_command) > 0;
}

// Where in a converted line its " : V = #V" tail lies (end exclusive).
struct TailRange {
  size_t begin = 0;
  size_t end = 0;
};

// The conversion of one line; the tail goes before the blanks in front of a
// comment, so that the comment stays where it was.
Text ConvertLine(TextView line, const PbAnyAssignment& m, TailRange* tail) {
  size_t code_end = m.code_end;
  if (code_end < line.size()) {
    while (code_end > m.rest && (line[code_end - 1] == ' ' || line[code_end - 1] == '\t')) --code_end;
  }
  Text out = Concat({line.substr(0, m.indent), m.command, "(#", m.variable, line.substr(m.rest, code_end - m.rest)});
  tail->begin = out.size();
  out += Concat({" : ", m.variable, " = #", m.variable});
  tail->end = out.size();
  out.append(line.substr(code_end));
  return out;
}

// Puts "#" before every use of a converted variable in `line`, outside
// strings, the comment and the tail, and not where the word is something
// else: a field (".", "\"), a pointer or address ("*", "@"), a string
// variable ("$") or a procedure of the same name (a "(" follows).
void MarkVariableUses(Text& line, const std::unordered_set<Text>& variables, TailRange tail, Text* word) {
  Text out;
  size_t copied = 0;
  bool changed = false;
  bool in_string = false;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '"') in_string = !in_string;
    if (!in_string && c == ';') break;
    if (in_string || !IsNameChar(c) || (i > 0 && IsNameChar(line[i - 1]))) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < line.size() && IsNameChar(line[end])) ++end;
    const size_t start = i;
    i = end;
    if (!IsNameStart(line[start]) || (start >= tail.begin && start < tail.end)) continue;
    if (start > 0 && TextView("#.\\*@").find(line[start - 1]) != TextView::npos) continue;
    if (end < line.size() && (line[end] == '$' || line[end] == '\\')) continue;
    const size_t next = SkipBlanksAndTabs(line, end);
    if (next != Text::npos && line[next] == '(') continue;
    UpperInto(TextView(line).substr(start, end - start), word);
    if (variables.count(*word) == 0) continue;
    out.append(line, copied, start - copied);
    out += '#';
    copied = start;
    changed = true;
  }
  if (!changed) return;
  out.append(line, copied, Text::npos);
  line = std::move(out);
}

}  // namespace

std::vector<size_t> ConvertPbAnyObjects(Workspace& ws) {
  Lines& code = ws.analysis.form_code;
  std::vector<size_t> converted;
  std::vector<TailRange> tails;
  std::unordered_set<Text> variables;
  PbAnyAssignment match;
  Text command;
  for (size_t i = 0; i < code.size(); ++i) {
    if (!MatchPbAnyAssignment(code[i], &match)) continue;
    UpperInto(match.command, &command);
    if (!IsObjectCommand(ws, command)) continue;
    TailRange tail;
    Text line = ConvertLine(code[i], match, &tail);
    variables.insert(Upper(match.variable));
    code[i] = std::move(line);
    converted.push_back(i);
    tails.push_back(tail);
  }
  if (variables.empty()) return converted;

  Text word;
  size_t next = 0;
  for (size_t i = 0; i < code.size(); ++i) {
    TailRange tail;
    if (next < converted.size() && converted[next] == i) tail = tails[next++];
    MarkVariableUses(code[i], variables, tail, &word);
  }
  return converted;
}

void RecordPbAnyObjects(AnalysisModel& model, const std::vector<size_t>& converted_lines) {
  // Most forms number nothing at run time: no table of every name for them.
  if (converted_lines.empty()) return;
  UpperNameSet collected(model.windows.size() + model.gadgets.size());
  for (const Lines* list :
       {&model.windows, &model.menu_bars, &model.menu_items, &model.status_bars, &model.tool_bars}) {
    for (const Text& name : *list) collected.Insert(name);
  }
  for (const GadgetRecord& gadget : model.gadgets) collected.Insert(gadget.name);
  UpperNameSet recorded;
  for (const size_t index : converted_lines) {
    const Text name = ObjectNameOfLine(model.form_code[index], false);
    if (collected.Contains(name) && recorded.Insert(name)) model.pb_any_objects.push_back(name);
  }
}

size_t PbAnyTail(TextView line, TextView object_name) {
  std::vector<TextView> statements;
  SplitStatements(line, &statements);
  if (statements.size() < 2) return TextView::npos;
  const TextView last = statements.back();
  // "V = #" + object name, blanks and tabs around.
  const size_t eq = last.find('=');
  if (eq == TextView::npos) return TextView::npos;
  Text value = TrimBlanksAndTabs(last.substr(eq + 1));
  if (Upper(value) != Upper(Concat({"#", object_name}))) return TextView::npos;
  // The tail starts at the blanks before the statement's ":".
  size_t start = static_cast<size_t>(last.data() - line.data()) - 1;
  while (start > 0 && (line[start - 1] == ' ' || line[start - 1] == '\t')) --start;
  return start;
}

}  // namespace quillon
