// Windows whose names extend another window's name ("Main_Settings" beside
// "Main"). Renaming window Main renames the text "Main_" that begins its
// constants and procedure names; the same text begins every name of
// Main_Settings, which must stay as it is.
#pragma once

#include "text/text.h"

namespace quillon {

class WindowPrefixGuard {
 public:
  WindowPrefixGuard() = default;
  // The windows of this run and of the previous one.
  WindowPrefixGuard(const Lines& current_windows, const Lines& saved_windows);

  // Upper-cased names of the other windows that begin with `window` + "_".
  Lines ExtendingWindows(TextView window) const;

  // True when `upper_text` at `at` begins with one of `extending` (from
  // ExtendingWindows) followed by "_", a character that cannot continue a
  // name, or the end.
  static bool BeginsOneOf(TextView upper_text, size_t at, const Lines& extending);

  // True when `name` (a constant of the previous run) belongs to one of
  // `extending`: it is that window or begins with its name + "_".
  static bool NameBelongsToOneOf(TextView name, const Lines& extending);

 private:
  Lines upper_windows_;
};

}  // namespace quillon
