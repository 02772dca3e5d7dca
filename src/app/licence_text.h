// The licence agreement shown by the licence window, and its split into
// list items.
#pragma once

#include "text/text.h"

namespace quillon::app {

// The text, LF line ends; its first line is "Lizenzvereinbarung" and two blanks.
const char* LicenceText();

// Every CR removed, then one item per LF-terminated line (empty lines give
// empty items); characters after the last LF are not an item.
Lines SplitLicenceLines(TextView text);

}  // namespace quillon::app
