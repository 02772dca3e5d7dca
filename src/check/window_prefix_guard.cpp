#include "check/window_prefix_guard.h"

#include <unordered_set>

namespace quillon {

WindowPrefixGuard::WindowPrefixGuard(const Lines& current_windows, const Lines& saved_windows) {
  // A set beside the list: a project of many windows would otherwise
  // compare every window with every other one.
  std::unordered_set<Text> seen;
  for (const Lines* windows : {&current_windows, &saved_windows}) {
    for (const Text& window : *windows) {
      Text upper = Upper(window);
      if (seen.insert(upper).second) upper_windows_.push_back(std::move(upper));
    }
  }
}

Lines WindowPrefixGuard::ExtendingWindows(TextView window) const {
  const Text prefix = Upper(window) + '_';
  Lines extending;
  for (const Text& other : upper_windows_) {
    if (other.size() > prefix.size() && other.compare(0, prefix.size(), prefix) == 0) extending.push_back(other);
  }
  return extending;
}

bool WindowPrefixGuard::BeginsOneOf(TextView upper_text, size_t at, const Lines& extending) {
  for (const Text& other : extending) {
    if (upper_text.substr(at, other.size()) != other) continue;
    const size_t end = at + other.size();
    if (end == upper_text.size() || upper_text[end] == '_' || !IsUpperWordChar(upper_text[end])) return true;
  }
  return false;
}

bool WindowPrefixGuard::NameBelongsToOneOf(TextView name, const Lines& extending) {
  if (extending.empty()) return false;
  const Text upper = Upper(name);
  for (const Text& other : extending) {
    if (upper.size() < other.size() || upper.compare(0, other.size(), other) != 0) continue;
    if (upper.size() == other.size() || upper[other.size()] == '_') return true;
  }
  return false;
}

}  // namespace quillon
