// Pattern lists of the file choosers: "Name|pattern|Name|pattern...".
#pragma once

#include <string>
#include <vector>

#include "text/text.h"

namespace quillon::app {

struct FileFilter {
  std::string name;                   // shown text, UTF-8
  std::vector<std::string> patterns;  // shell patterns; ";" separates several
};

// A trailing name without a pattern is dropped.
std::vector<FileFilter> ParsePatternList(const Text& list);

}  // namespace quillon::app
