#include "synthetic_project.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace bench {

namespace {

constexpr const char* kEventFiles[] = {"EventMenu.pb", "EventGadget.pb", "EventWindow.pb"};
constexpr const char* kUserCode = "  ; handled by hand\n  Counter + 1\n";

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

bool ReadFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *text = all.str();
  return true;
}

// One designer form. The object names repeat in every window, as they do in
// real projects: the window prefixes of Step 1 make them unique.
std::string FormSource(int window) {
  const std::string n = std::to_string(window);
  const std::string w = "Window_" + n;
  std::string out;
  out += "; Form " + n + ", written by the form designer\n\n";
  out += "Enumeration FormWindow\n  #" + w + "\nEndEnumeration\n\n";
  out += "Enumeration FormGadget\n";
  for (int g = 0; g < kGadgetsPerWindow; ++g) out += "  #Gadget_" + std::to_string(g) + "\n";
  out += "EndEnumeration\n\n";
  out += "Enumeration FormMenu\n";
  for (int m = 0; m < 8; ++m) out += "  #Menu_" + std::to_string(m) + "\n";
  out += "  #Tool_Open\n  #Tool_Save\nEndEnumeration\n\n";
  out += "LoadImage(#Img_Open_" + n + ", \"images/open" + n + ".png\")\n";
  out += "LoadImage(#Img_Save_" + n + ", \"images/save" + n + ".png\")\n";
  out += "LoadFont(#Font_" + n + ", \"DejaVu Sans\", " + std::to_string(8 + window % 6) + ")\n\n";
  out += "Procedure Open" + w + "(x = 0, y = 0, width = 640, height = 480)\n";
  out += "  OpenWindow(#" + w + ", x, y, width, height, \"Window number " + n +
         "\", #PB_Window_SystemMenu | #PB_Window_SizeGadget)\n";
  out += "  CreateMenu(0, WindowID(#" + w + "))\n";
  out += "  MenuTitle(\"File " + n + "\")\n";
  for (int m = 0; m < 8; ++m) {
    const std::string mm = std::to_string(m);
    if (m == 4) out += "  MenuBar()\n  MenuTitle(\"Edit " + n + "\")\n";
    out += "  MenuItem(#Menu_" + mm + ", \"Item " + mm + " of " + n + "\\tCtrl+" + mm + "\")\n";
  }
  out += "  CreateToolBar(0, WindowID(#" + w + "))\n";
  out += "  ToolBarImageButton(#Tool_Open, ImageID(#Img_Open_" + n + "))\n";
  out += "  ToolBarImageButton(#Tool_Save, ImageID(#Img_Save_" + n + "))\n";
  out += "  ToolBarToolTip(0, #Tool_Open, \"Open in " + n + "\")\n";
  out += "  CreateStatusBar(0, WindowID(#" + w + "))\n";
  out += "  AddStatusBarField(#PB_Ignore)\n  AddStatusBarField(120)\n";
  out += "  StatusBarText(0, 0, \"Ready " + n + "\")\n";
  for (int g = 0; g < kGadgetsPerWindow; ++g) {
    const std::string gg = std::to_string(g);
    const std::string id = "#Gadget_" + gg;
    const std::string pos = "10, " + std::to_string(30 + 25 * g) + ", 200, 22";
    const std::string label = "\"Label " + gg + " of " + n + "\"";
    switch (g % 6) {
      case 0: out += "  ButtonGadget(" + id + ", " + pos + ", " + label + ")\n"; break;
      case 1: out += "  TextGadget(" + id + ", " + pos + ", " + label + ")\n"; break;
      case 2: out += "  StringGadget(" + id + ", " + pos + ", \"\")\n"; break;
      case 3: out += "  CheckBoxGadget(" + id + ", " + pos + ", " + label + ")\n"; break;
      case 4:
        out += "  ImageGadget(" + id + ", " + pos + ", LoadImage(#PB_Any, \"images/pic" + gg + ".png\"))\n";
        break;
      default: out += "  ComboBoxGadget(" + id + ", " + pos + ")\n"; break;
    }
    if (g % 10 == 0) out += "  GadgetToolTip(" + id + ", \"Tip " + gg + " of " + n + "\")\n";
  }
  out += "  SetGadgetFont(#Gadget_1, FontID(#Font_" + n + "))\n";
  out += "EndProcedure\n";
  return out;
}

std::string MainSource(int windows) {
  std::string out;
  out += ";-TOP\n\n;- Main program of the synthetic project\n\n";
  out += "Global ExitApplication = 0\n\n";
  out += "IncludeFile \"CommonFile.pb\"\n";
  out += "IncludeFile \"UserCode.pbi\"\n";
  out += "IncludeFile \"EventMenu.pb\"\nIncludeFile \"EventGadget.pb\"\nIncludeFile \"EventWindow.pb\"\n";
  out += "IncludeFile \"EventMain.pb\"\n\n";
  out += "Procedure Main()\n  Open_Window_0()\n";
  out += "  Repeat\n    Event = WaitWindowEvent()\n  Until ExitApplication\nEndProcedure\n\nMain()\n";
  out += "; windows: " + std::to_string(windows) + "\n";
  return out;
}

// The user's own include file: helpers that use the forms' constants.
std::string UserCode(int windows) {
  std::string out = "; helpers written by hand\n\n";
  for (int w = 0; w < windows; ++w) {
    const std::string n = std::to_string(w);
    out += "Procedure Refresh_" + n + "()\n";
    out += "  SetGadgetText(#Window_" + n + "_Gadget_2, \"\")\n";
    out += "  SetGadgetState(#Window_" + n + "_Gadget_3, 1)\n";
    out += "  StatusBarText(#StatusBar_Window_" + n + ", 0, \"Refreshed\")\n";
    out += "EndProcedure\n\n";
  }
  return out;
}

}  // namespace

std::string WriteSyntheticProject(const std::string& dir, int windows) {
  ::mkdir(dir.c_str(), 0755);
  ::mkdir((dir + "forms").c_str(), 0755);
  std::string project = "[FILES]\n";
  for (int w = 0; w < windows; ++w) {
    const std::string name = "forms/Form" + std::to_string(w) + ".pbf";
    if (!WriteFile(dir + name, FormSource(w))) return "";
    project += name + "\n";
  }
  project +=
      "\n[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=1\nImage_Include=0\nImage_Null=1\nUseCallFast=1\nUtf8=1\n"
      "\n[WINDOW]\n\n[MENU]\n\n[MENUITEM]\n\n[STATUSBAR]\n\n[TOOLBAR]\n\n[GADGET]\n";
  if (!WriteFile(dir + "Main.pb", MainSource(windows)) || !WriteFile(dir + "UserCode.pbi", UserCode(windows)) ||
      !WriteFile(dir + "Bench.pbm", project)) {
    return "";
  }
  return dir + "Bench.pbm";
}

long AddUserCodeToEventFiles(const std::string& dir) {
  long touched = 0;
  for (const char* name : kEventFiles) {
    std::string text;
    if (!ReadFile(dir + name, &text)) return -1;
    std::string out;
    out.reserve(text.size() * 2);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      end = end == std::string::npos ? text.size() : end + 1;
      out.append(text, start, end - start);
      if (text.compare(start, 15, "Procedure Event") == 0) {
        out += kUserCode;
        ++touched;
      }
      start = end;
    }
    if (!WriteFile(dir + name, out)) return -1;
  }
  return touched;
}

bool RenameInForms(const std::string& dir, int forms, int windows) {
  auto replace_all = [](std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
  };
  for (int w = 0; w < forms; ++w) {
    const std::string n = std::to_string(w);
    const std::string path = dir + "forms/Form" + n + ".pbf";
    std::string form;
    if (!ReadFile(path, &form)) return false;
    // Within its own form, "Window_<n>" names only this window.
    if (w < windows) replace_all(form, "Window_" + n, "Win_" + n);
    for (int g = 50; g < 60; ++g) replace_all(form, "#Gadget_" + std::to_string(g), "#Renamed_" + std::to_string(g));
    if (!WriteFile(path, form)) return false;
  }
  return true;
}

std::vector<std::string> RenameBinds(int forms, int windows) {
  std::vector<std::string> binds;
  for (int w = 0; w < windows; ++w) {
    binds.push_back("--bind");
    binds.push_back("Window:Window_" + std::to_string(w) + "=Win_" + std::to_string(w));
  }
  // Gadgets are named after the window's new name once the window is bound.
  for (int w = 0; w < forms; ++w) {
    const std::string window = (w < windows ? "Win_" : "Window_") + std::to_string(w);
    for (int g = 50; g < 60; ++g) {
      binds.push_back("--bind");
      binds.push_back("Gadget:" + window + "_Gadget_" + std::to_string(g) + "=" + window + "_Renamed_" +
                      std::to_string(g));
    }
  }
  return binds;
}

bool AddLongLineInclude(const std::string& dir, const std::string& constant, long count) {
  std::string line;
  line.reserve(static_cast<size_t>(count) * (constant.size() + 2) + 1);
  for (long i = 0; i < count; ++i) line += "#" + constant + "+";
  line += "0\n";
  std::string main;
  if (!WriteFile(dir + "Long.pbi", line) || !ReadFile(dir + "Main.pb", &main)) return false;
  const size_t at = main.find("IncludeFile \"UserCode.pbi\"");
  if (at == std::string::npos) return false;
  main.insert(at, "IncludeFile \"Long.pbi\"\n");
  return WriteFile(dir + "Main.pb", main);
}

long CountUserCodeInEventFiles(const std::string& dir) {
  long found = 0;
  for (const char* name : kEventFiles) {
    std::string text;
    if (!ReadFile(dir + name, &text)) return -1;
    for (size_t at = text.find(kUserCode); at != std::string::npos; at = text.find(kUserCode, at + 1)) ++found;
  }
  return found;
}

}  // namespace bench
