#include "app/display_text.h"

namespace quillon::app {

std::string DisplayUtf8(TextView text) {
  // GTK takes valid UTF-8 only: a byte of no valid sequence shows as U+FFFD.
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const int len = CodePointAt(text, i, &c);
    if (len == 0) {
      AppendCodePoint(0xFFFD, &shown);
      ++i;
    } else {
      shown.append(text.substr(i, static_cast<size_t>(len)));
      i += static_cast<size_t>(len);
    }
  }
  return shown;
}

}  // namespace quillon::app
