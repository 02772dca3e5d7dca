// A project path named by the user, made absolute against the current
// folder, so a remembered project still opens when the program is started
// from another folder.
#pragma once

#include <string>

#include "text/text.h"

namespace quillon {

// A relative path gets the current folder in front (no symlink resolution);
// an absolute or empty path, or one when the current folder is unknown,
// stays as it is.
std::string AbsolutePath(const std::string& path);

}  // namespace quillon
