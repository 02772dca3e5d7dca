// Why a file could not be read or written, in the system's words, for the
// error boxes that name the file.
#pragma once

#include <string>

#include "text/text.h"

namespace quillon {

// `error_number` is errno right after the failed call (0 when the call set
// none); without one the reason is taken from what the path is now.
Text FileErrorReason(const std::string& path, int error_number);

}  // namespace quillon
