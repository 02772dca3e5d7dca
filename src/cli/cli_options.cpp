#include "cli/cli_options.h"

#include "model/check_lists.h"

namespace quillon::cli {

const char kUsage[] =
    "Usage: quillon --generate PROJECT.pbm [--bind KIND:OLD=NEW]... [--bind-suggested]\n"
    "                [--drop-unbound] [--user-list FILE] [--dry-run | --check]\n"
    "       quillon --undo PROJECT.pbm [--dry-run]\n"
    "       quillon [PROJECT.pbm]      start the window\n"
    "       quillon --help | --version\n"
    "\n"
    "  --generate PROJECT.pbm  run a generation without the window; log lines go to stdout\n"
    "  --bind KIND:OLD=NEW     bind a renamed constant; KIND is Window, MenuBar, MenuItem,\n"
    "                          StatusBar, ToolBar, Gadget or 1 to 6\n"
    "  --bind-suggested        after the --bind options, bind every suggested pair whose\n"
    "                          names are both unbound (a cancel names each suggestion)\n"
    "  --drop-unbound          go on when old constants stay unbound (default: cancel)\n"
    "  --user-list FILE        user gadget names (default: UserList.INI in the settings folder)\n"
    "  --dry-run               write nothing; print what would change as unified diffs\n"
    "  --check                 like --dry-run; exit 3 when anything would change\n"
    "  --undo PROJECT.pbm      restore the files of the last run, all or nothing: a file\n"
    "                          changed since stops it; with --dry-run only say what it would do\n"
    "\n"
    "Step 3 logs how many lines a rename changed in Main.pb and the event files, Step 4 the\n"
    "event procedures that no object of the run needs any more (nothing is removed).\n"
    "In the window: Bind Suggested in Search and Replace binds the suggested pairs (selecting an\n"
    "old name selects its suggestion); Action > Undo Last Generate does what --undo does.\n"
    "\n"
    "Exit status: 0 ready, 1 cancelled, 2 usage error or unreadable project, 3 --check found changes,\n"
    "4 ready, but a file could not be read, backed up or written (see the log's Error lines);\n"
    "--undo: 0 all restored, 4 nothing done (a file changed since the run) or a restore failed,\n"
    "1 a run of the project is in progress, 2 nothing to undo.\n";

int ParseKind(const std::string& word) {
  if (word.size() == 1 && word[0] >= '1' && word[0] <= '6') return word[0] - '0';
  const Text upper = Upper(FromUtf8(word));
  for (int kind = kKindWindow; kind <= kKindGadget; ++kind) {
    if (upper == Upper(KindWord(kind))) return kind;
  }
  return 0;
}

namespace {

bool ParseBind(const std::string& value, BindOption* bind, std::string* error) {
  const size_t colon = value.find(':');
  const size_t eq = colon == std::string::npos ? std::string::npos : value.find('=', colon + 1);
  if (colon == std::string::npos || eq == std::string::npos) {
    *error = "--bind needs KIND:OLD=NEW, got '" + value + "'";
    return false;
  }
  bind->text = value;
  bind->kind = ParseKind(value.substr(0, colon));
  bind->old_name = FromUtf8(value.substr(colon + 1, eq - colon - 1));
  bind->new_name = FromUtf8(value.substr(eq + 1));
  if (bind->kind == 0) {
    *error = "unknown constant kind in --bind '" + value + "'";
    return false;
  }
  if (bind->old_name.empty() || bind->new_name.empty()) {
    *error = "--bind needs both an old and a new name: '" + value + "'";
    return false;
  }
  return true;
}

}  // namespace

bool CheckWindowArguments(int argc, char** argv, std::string* error) {
  // The toolkit's own options; those with a value take it after "=" or as
  // the next argument.
  static const char* const kWithValue[] = {"--display", "--screen", "--name", "--class", "--gtk-module"};
  static const char* const kFlags[] = {"--sync", "--g-fatal-warnings"};
  int projects = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.empty() || arg[0] != '-') {
      if (++projects > 1) {
        *error = "only one project file can be opened, got '" + arg + "' too";
        return false;
      }
      continue;
    }
    const std::string name = arg.substr(0, arg.find('='));
    bool known = false;
    for (const char* flag : kFlags) known = known || arg == flag;
    for (const char* option : kWithValue) {
      if (name != option) continue;
      known = true;
      if (name == arg) ++i;  // "--display :1": the value follows
    }
    if (!known) {
      *error = "unknown option '" + arg + "'";
      return false;
    }
  }
  return true;
}

bool ParseCliOptions(int argc, char** argv, CliOptions* options, std::string* error) {
  bool generate = false;
  std::string run_only;  // the first option only a generation run takes
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) {
        *error = arg + " needs a value";
        return false;
      }
      *out = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      options->help = true;
    } else if (arg == "--version") {
      options->version = true;
    } else if (arg == "--generate") {
      if (!value(&options->project)) return false;
      generate = true;
    } else if (arg == "--undo") {
      if (!value(&options->project)) return false;
      options->undo = true;
    } else if (arg == "--bind") {
      std::string bind_text;
      if (!value(&bind_text)) return false;
      BindOption bind;
      if (!ParseBind(bind_text, &bind, error)) return false;
      options->binds.push_back(bind);
    } else if (arg == "--bind-suggested") {
      options->bind_suggested = true;
    } else if (arg == "--drop-unbound") {
      options->drop_unbound = true;
    } else if (arg == "--user-list") {
      if (!value(&options->user_list)) return false;
    } else if (arg == "--dry-run") {
      options->dry_run = true;
    } else if (arg == "--check") {
      options->check = true;
    } else {
      *error = "unknown argument '" + arg + "'";
      return false;
    }
    if (run_only.empty() && arg != "--generate" && arg != "--undo" && arg != "--dry-run") run_only = arg;
  }
  if (options->help || options->version) return true;
  if (generate && options->undo) {
    *error = "--generate and --undo exclude each other";
    return false;
  }
  if (options->undo && !run_only.empty()) {
    *error = "--undo takes only --dry-run, not " + run_only;
    return false;
  }
  if (options->undo && !options->project.empty()) return true;
  if (!generate || options->project.empty()) {
    *error = "--generate PROJECT.pbm is required";
    return false;
  }
  return true;
}

}  // namespace quillon::cli
