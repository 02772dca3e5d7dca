// Step 1 on a large generated designer project: 200 windows with 60 gadgets
// each, one form file per window. Prints wall time and peak memory.
#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "analysis/step1.h"

namespace {

using quillon::Lines;
using quillon::Text;

class BenchHost final : public quillon::RunHost {
 public:
  explicit BenchHost(Lines files) : files_(std::move(files)) {}
  void AddLogLine(const Text& line) override { log.push_back(line); }
  quillon::BindReply AskBindings(int, const Lines&, const Lines&) override { return {true, {}}; }
  bool AskProjectName() override { return false; }
  Lines FileListItems() override { return files_; }
  void ShowError(const Text&, const Text&) override {}
  Lines log;

 private:
  Lines files_;
};

std::string FormFile(int window, int gadgets) {
  const std::string w = "Window_" + std::to_string(window);
  std::string out = "Enumeration FormWindow\n  #" + w + "\nEndEnumeration\n\n";
  out += "LoadImage(#Img_" + w + ", \"images/" + w + ".png\")\n";
  out += "LoadFont(#Font_" + w + ", \"Arial\", 10)\n\n";
  out += "Procedure Open" + w + "(x = 0, y = 0, width = 600, height = 400)\n";
  out += "  OpenWindow(#" + w + ", x, y, width, height, \"Title " + w + "\", #PB_Window_SystemMenu)\n";
  out += "  CreateMenu(0, WindowID(#" + w + "))\n  MenuTitle(\"File\")\n";
  for (int i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i);
    out += "  MenuItem(#Menu_" + n + ", \"Item " + n + "\\tCtrl+" + n + "\")\n";
  }
  out += "  CreateToolBar(0, WindowID(#" + w + "))\n";
  out += "  ToolBarImageButton(#Tool_Open, ImageID(LoadImage(0, \"images/open" + std::to_string(window % 7) +
         ".png\")))\n";
  out += "  ToolBarToolTip(0, #Tool_Open, \"Open\")\n";
  out += "  CreateStatusBar(0, WindowID(#" + w + "))\n  AddStatusBarField(100)\n";
  out += "  StatusBarText(0, 0, \"Ready\")\n";
  for (int g = 0; g < gadgets; ++g) {
    const std::string n = std::to_string(g);
    switch (g % 4) {
      case 0: out += "  ButtonGadget(#Button_" + n + ", 10, " + n + ", 80, 25, \"Button " + n + "\")\n"; break;
      case 1: out += "  TextGadget(#Text_" + n + ", 10, " + n + ", 80, 25, \"Label " + n + "\")\n"; break;
      case 2: out += "  StringGadget(#String_" + n + ", 10, " + n + ", 80, 25, \"\")\n"; break;
      default: out += "  ImageGadget(#Image_" + n + ", 10, " + n + ", 32, 32, ImageID(#Img_" + w + "))\n"; break;
    }
    out += "  GadgetToolTip(#Button_" + n + ", \"Tip " + n + "\")\n";
  }
  out += "EndProcedure\n";
  return out;
}

}  // namespace

int main() {
  const int kWindows = 200;
  const int kGadgets = 60;
  char pattern[] = "/tmp/quillon-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = std::string(pattern) + "/";

  quillon::Workspace ws;
  ws.project.project_path = quillon::FromUtf8(dir + "Bench.pbm");
  ws.project.has_name = true;
  ws.project.switches = quillon::DefaultSwitches();
  ws.project.switches.multilang = 1;
  ws.project.switches.image_null = 1;
  ws.keywords = quillon::BuildKeywordSets({});
  std::ofstream(dir + "Main.pb") << "\xEF\xBB\xBFXIncludeFile \"CommonFile.pb\"\nXIncludeFile \"Tools.pbi\"\n";
  std::ofstream(dir + "Tools.pbi") << "Debug MyLanguage(\"Tool\")\n";
  Lines files;
  for (int w = 0; w < kWindows; ++w) {
    const std::string name = "Form" + std::to_string(w) + ".pbf";
    std::ofstream(dir + name) << FormFile(w, kGadgets);
    files.push_back(quillon::FromUtf8(name));
  }
  BenchHost host(files);

  const auto start = std::chrono::steady_clock::now();
  const bool ok = quillon::RunStep1(ws, host);
  const auto end = std::chrono::steady_clock::now();
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);

  std::printf("step1_bench: %d windows x %d gadgets, result %s\n", kWindows, kGadgets, ok ? "success" : "failure");
  std::printf("  form code lines %zu, gadgets %zu, menu items %zu, images %zu, language texts %zu\n",
              ws.analysis.form_code.size(), ws.analysis.gadgets.size(), ws.analysis.menu_items.size(),
              ws.analysis.images.size(), ws.analysis.language_strings.Size());
  std::printf("  wall time %.1f ms\n", std::chrono::duration<double, std::milli>(end - start).count());
  std::printf("  peak memory %ld KiB (max RSS)\n", usage.ru_maxrss);

  const std::string cleanup = "rm -rf '" + dir + "'";
  if (std::system(cleanup.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", dir.c_str());
  return ok ? 0 : 1;
}
