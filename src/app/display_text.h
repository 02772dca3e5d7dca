// Texts for widgets: GTK wants valid UTF-8, our texts may carry bytes of no
// valid sequence (file names that are not UTF-8). Those show as U+FFFD.
#pragma once

#include <string>

#include "text/text.h"

namespace quillon::app {

std::string DisplayUtf8(TextView text);

}  // namespace quillon::app
