// libFuzzer target: see FuzzIncludeFile in fuzz_entries.h.
#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillon::fuzz::FuzzIncludeFile(data, size);
  return 0;
}
