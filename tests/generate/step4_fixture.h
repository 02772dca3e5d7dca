// A project folder with a workspace whose analysis model is filled by hand,
// and a stand-in for the Step 1 work that feeds Step 4.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/analysis_model.h"
#include "generate/generated_files.h"
#include "generate/language_files.h"
#include "generate/step4.h"
#include "model/workspace.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace quillon::testing {

// The objects a form analysis would find.
struct FormObjects {
  Lines windows;
  Lines menu_bars;
  Lines menu_items;
  Lines status_bars;
  Lines tool_bars;
  std::vector<GadgetRecord> gadgets;
  std::vector<ImageRecord> images;
  Lines form_code;
  Lines texts;  // language texts found in the sources
};

class Step4Project {
 public:
  Step4Project() {
    ws.project.project_path = dir.TextPath("Demo.pbm");
    ws.project.has_name = true;
    ws.project.files = {dir.TextPath("Main.pbf")};
  }

  // What Step 1 leaves behind: an emptied model, the generated files read
  // back, this run's objects and (with Multilang) the updated language lines.
  void PrepareRun(const FormObjects& objects, int output_format = 2) {
    AnalysisModel& model = ws.analysis;
    model.ClearForRun();
    model.output_format = output_format;
    ReadGeneratedFiles(ws);
    model.windows = objects.windows;
    model.menu_bars = objects.menu_bars;
    model.menu_items = objects.menu_items;
    model.status_bars = objects.status_bars;
    model.tool_bars = objects.tool_bars;
    model.gadgets = objects.gadgets;
    model.images = objects.images;
    model.form_code = objects.form_code;
    model.constants_code = {T(";- Window Constants"), T(";"), T("Enumeration")};
    for (const Text& w : objects.windows) model.constants_code.push_back(T("  #") + w);
    model.constants_code.push_back(T("EndEnumeration"));
    if (ws.project.switches.multilang != 0) {
      for (const Text& text : objects.texts) {
        if (!model.language_strings.Contains(text)) model.language_strings.Set(text, text);
      }
      UpdateLoadLanguage(ws, host);
    }
  }

  void Run(const FormObjects& objects, int output_format = 2) {
    PrepareRun(objects, output_format);
    RunStep4(ws, host);
  }

  std::string Read(const std::string& name) const { return ReadBytes(dir.File(name)); }
  Lines ReadLines(const std::string& name) const;

  TempDir dir;
  Workspace ws;
  FakeHost host;
};

// Two windows with a menu, a tool bar button and a mix of gadgets.
FormObjects SampleObjects();

// The names every run writes, in writing order.
const std::vector<std::string>& AlwaysWrittenFiles();

}  // namespace quillon::testing
