// The one project the program works on: its file list, switches and the
// constant names of the last completed generation run.
#pragma once

#include <array>
#include <cstdint>

#include "text/text.h"

namespace quillon {

// Seven switches, always in this order.
struct Switches {
  int32_t parend = 0;
  int32_t pb_ignore = 0;
  int32_t multilang = 0;
  int32_t image_include = 0;
  int32_t image_null = 0;
  int32_t use_call_fast = 0;
  int32_t utf8 = 0;
};

// Key names in file order, and access by that order.
constexpr std::array<TextView, 7> kSwitchKeys = {"Parend",     "PB_Ignore",   "Multilang", "Image_Include",
                                                 "Image_Null", "UseCallFast", "Utf8"};
int32_t& SwitchAt(Switches& switches, size_t index);
int32_t SwitchAt(const Switches& switches, size_t index);
// Values at a first start without settings: 1, 1, 0, 0, 0, 1, 1.
Switches DefaultSwitches();

inline constexpr TextView kUnnamedProject = "Unbekannt.pbm";

struct Project {
  Lines files;  // the file list, top to bottom
  Text project_path = Text(kUnnamedProject);
  bool has_name = false;  // ProjectHasName
  bool saved = true;      // ProjectSaved
  Switches switches;
  Lines saved_windows;
  Lines saved_menu_bars;
  Lines saved_menu_items;
  Lines saved_status_bars;
  Lines saved_tool_bars;
  Lines saved_gadgets;
  // Sections of the project file this program does not know (another tool's,
  // or a later version's): header and lines as read, written back after ours.
  Lines other_sections;
};

// Directory of the project file, with its trailing "/" ("" for a bare name).
Text ProjectDirectory(const Project& project);

}  // namespace quillon
