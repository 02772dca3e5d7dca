// The program's twelve icons as PNG bytes (generated at build time by
// icons/make_icons.cpp).
#pragma once

#include <cstddef>

namespace quillon::app {

inline constexpr int kIconCount = 12;

struct IconPng {
  const unsigned char* bytes;
  size_t size;
};

extern const IconPng kIconPngs[kIconCount];

}  // namespace quillon::app
