// libFuzzer target: see FuzzUserList in fuzz_entries.h.
#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quillon::fuzz::FuzzUserList(data, size);
  return 0;
}
