// One binary: "--generate" (and --help / --version) runs headless and never
// touches GTK; everything else starts the window, unless an option is not
// known: that is a usage error (status 2) before any window opens.
#include "cli/cli_main.h"
#include "cli/cli_options.h"

#ifdef QUILLON_HAS_GUI
#include "app/app_main.h"
#endif

#include <malloc.h>

#include <cstdio>

int main(int argc, char** argv) {
  // A run reads and encodes whole files: with a fixed threshold each such
  // block is mapped on its own and given back when freed, instead of the
  // allocator raising the threshold after the first one and keeping the
  // later ones in a heap that only grows.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  // One heap for every thread: a run reads on two threads for a moment, and
  // a second heap would keep what it once held beside the first.
  mallopt(M_ARENA_MAX, 1);
  if (quillon::cli::IsCliInvocation(argc, argv)) return quillon::cli::CliMain(argc, argv);
  std::string error;
  if (!quillon::cli::CheckWindowArguments(argc, argv, &error)) {
    std::fprintf(stderr, "quillon: %s\n\n%s", error.c_str(), quillon::cli::kUsage);
    return 2;
  }
#ifdef QUILLON_HAS_GUI
  return quillon::app::AppMain(argc, argv);
#else
  std::fprintf(stderr, "quillon: built without the window; use --generate\n");
  return 2;
#endif
}
