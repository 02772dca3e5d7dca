#include "app/icons.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

namespace quillon::app {

GdkPixbuf* DecodePngIcon(const unsigned char* bytes, size_t size) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) return nullptr;
  image.format = PNG_FORMAT_RGBA;
  const size_t stride = PNG_IMAGE_ROW_STRIDE(image);
  auto* pixels = static_cast<guchar*>(g_malloc(PNG_IMAGE_BUFFER_SIZE(image, stride)));
  if (!png_image_finish_read(&image, nullptr, pixels, static_cast<png_int_32>(stride), nullptr)) {
    png_image_free(&image);
    g_free(pixels);
    return nullptr;
  }
  return gdk_pixbuf_new_from_data(
      pixels, GDK_COLORSPACE_RGB, TRUE, 8, static_cast<int>(image.width), static_cast<int>(image.height),
      static_cast<int>(stride), [](guchar* data, gpointer) { g_free(data); }, nullptr);
}

IconSet::~IconSet() {
  for (GdkPixbuf* image : images_) {
    if (image) g_object_unref(image);
  }
}

bool IconSet::Decode() {
  bool ok = true;
  for (int i = 0; i < kIconCount; ++i) {
    if (images_[i]) continue;
    images_[i] = DecodePngIcon(kIconPngs[i].bytes, kIconPngs[i].size);
    ok = ok && images_[i] != nullptr;
  }
  return ok;
}

GdkPixbuf* IconSet::Image(int number) const { return number >= 0 && number < kIconCount ? images_[number] : nullptr; }

}  // namespace quillon::app
