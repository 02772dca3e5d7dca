// Shared set-up of the Step 1 tests: a workspace whose project lives in a
// temporary folder, with the built-in keyword sets.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/workspace.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon::testing {

// Lines as UTF-8 strings, for readable comparisons.
inline std::vector<std::string> S(const Lines& lines) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const Text& line : lines) out.push_back(ToUtf8(line));
  return out;
}

struct Step1Project {
  TempDir dir;
  // Heap-held: a workspace points at its own disk writer and must not move.
  std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
  FakeHost host;

  explicit Step1Project(const Lines& user_gadgets = {}) {
    ws->project.project_path = dir.TextPath("Test.pbm");
    ws->project.has_name = true;
    ws->project.switches = Switches{};
    ws->keywords = BuildKeywordSets(user_gadgets);
    ws->user_gadgets = user_gadgets;
  }

  // Writes a UTF-8 file (no mark) into the project folder.
  void Write(const std::string& name, std::initializer_list<std::string> lines) {
    WriteBytes(dir.File(name), JoinLines(lines));
  }
  // Puts `lines` as the form code of the analysis model.
  void SetFormCode(std::initializer_list<std::string> lines) { ws->analysis.form_code = L(lines); }
  std::vector<std::string> FormCode() const { return S(ws->analysis.form_code); }
};

}  // namespace quillon::testing
