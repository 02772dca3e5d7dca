#include "app/display_text.h"

namespace quillon::app {

std::string DisplayUtf8(TextView text) {
  Text shown(text);
  for (char32_t& c : shown) {
    if (IsEscapedByte(c)) c = 0xFFFD;
  }
  return ToUtf8(shown);
}

}  // namespace quillon::app
