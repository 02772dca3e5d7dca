#include "app/app_main.h"

#include <cstdio>

namespace quillon::app {

int AppMain(int, char**) {
  std::fprintf(stderr, "quillon: the main window comes later; use --generate\n");
  return 1;
}

}  // namespace quillon::app
