#include "cli/cli_main.h"

#include <cstdio>
#include <cstring>

namespace quillon::cli {

bool IsCliInvocation(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--generate") || !std::strcmp(argv[i], "--help") ||
        !std::strcmp(argv[i], "--version")) {
      return true;
    }
  }
  return false;
}

int CliMain(int, char**) {
  std::fprintf(stderr, "quillon: --generate is not available yet\n");
  return 2;
}

}  // namespace quillon::cli
