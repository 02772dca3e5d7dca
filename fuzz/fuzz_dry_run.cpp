// libFuzzer target: see FuzzDryRun in fuzz_entries.h.
#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillon::fuzz::FuzzDryRun(data, size);
  return 0;
}
