// The twelve icons of menus and tool bar, decoded once at start with libpng
// into images 0 to 11.
#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <array>

#include "app/icon_data.h"

namespace quillon::app {

// Decodes one PNG into a GdkPixbuf (RGBA); null when it is not a valid PNG.
GdkPixbuf* DecodePngIcon(const unsigned char* bytes, size_t size);

class IconSet {
 public:
  IconSet() = default;
  ~IconSet();
  IconSet(const IconSet&) = delete;
  IconSet& operator=(const IconSet&) = delete;

  // False when an icon cannot be decoded (its image stays null).
  bool Decode();
  // Image 0 to 11; null for a number out of range or not decoded.
  GdkPixbuf* Image(int number) const;

 private:
  std::array<GdkPixbuf*, kIconCount> images_{};
};

}  // namespace quillon::app
