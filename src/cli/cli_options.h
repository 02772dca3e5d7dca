// The command line of the headless front end.
#pragma once

#include <string>
#include <vector>

#include "text/text.h"

namespace quillon::cli {

struct BindOption {
  int kind = 0;  // 1 to 6
  Text old_name;
  Text new_name;
  std::string text;  // KIND:OLD=NEW as given
};

struct CliOptions {
  bool help = false;
  bool version = false;
  std::string project;            // as given
  bool undo = false;              // --undo PROJECT.pbm instead of --generate
  std::vector<BindOption> binds;  // in command-line order
  bool drop_unbound = false;
  bool bind_suggested = false;  // bind the suggested pairs after the explicit binds
  std::string user_list;        // empty: UserList.INI in the settings folder, if any
  bool dry_run = false;
  bool check = false;
};

// Parses argv; false with a message in `error` on a usage error.
bool ParseCliOptions(int argc, char** argv, CliOptions* options, std::string* error);

// The window's command line: at most one project file, and the display
// options the toolkit takes itself (--display, --screen, --sync, --name,
// --class, --gtk-module, --g-fatal-warnings). Anything else that starts with
// "-" is a usage error: false with a message in `error`.
bool CheckWindowArguments(int argc, char** argv, std::string* error);

// "Window", "MenuBar", ... (any case) or a digit 1 to 6; 0 when unknown.
int ParseKind(const std::string& word);

extern const char kUsage[];

}  // namespace quillon::cli
