// One binary: "--generate" (and --help / --version) runs headless and never
// touches GTK; everything else starts the window.
#include "cli/cli_main.h"

#ifdef QUILLON_HAS_GUI
#include "app/app_main.h"
#endif

#include <cstdio>

int main(int argc, char** argv) {
  if (quillon::cli::IsCliInvocation(argc, argv)) return quillon::cli::CliMain(argc, argv);
#ifdef QUILLON_HAS_GUI
  return quillon::app::AppMain(argc, argv);
#else
  std::fprintf(stderr, "quillon: built without the window; use --generate\n");
  return 2;
#endif
}
