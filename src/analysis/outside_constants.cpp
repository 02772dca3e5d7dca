#include "analysis/outside_constants.h"

#include <unordered_set>

#include "analysis/own_names.h"
#include "host/log_lines.h"

namespace quillon {

namespace {

// The token's name as the warning and the lookups use it: "$" kept.
Text NameOf(TextView line, const ConstantToken& token) {
  Text name(token.Name(line));
  if (token.string_constant) name += '$';
  return name;
}

}  // namespace

void OutsideConstantReader::Line(const Text& line) {
  ConstantToken token;
  if (definitions_.Find(line, &token)) found_->push_back({NameOf(line, token), file_item_});
}

void WarnAboutOutsideConstants(const Workspace& ws, RunHost& host) {
  const AnalysisModel& model = ws.analysis;
  if (model.outside_constants.empty()) return;

  std::unordered_set<Text> used;
  std::vector<ConstantToken> tokens;
  for (const Text& line : model.form_code) {
    if (line.find('#') == Text::npos) continue;
    tokens.clear();
    FindConstantTokens(line, &tokens);
    for (const ConstantToken& token : tokens) used.insert(Upper(NameOf(line, token)));
  }

  const OwnNames own(model);
  std::unordered_set<Text> named;
  for (const OutsideConstant& constant : model.outside_constants) {
    const Text upper = Upper(constant.name);
    if (used.count(upper) == 0 || own.Contains(constant.name) || !named.insert(upper).second) continue;
    host.AddLogLine(log::OutsideConstant(constant.name, constant.file));
  }
}

}  // namespace quillon
