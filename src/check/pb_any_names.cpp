#include "check/pb_any_names.h"

#include <algorithm>
#include <unordered_set>

#include "analysis/constant_tokens.h"

namespace quillon {

void DropPbAnyNames(const Lines& windows, const Lines& other_windows, Lines* names) {
  std::unordered_set<TextView> window_names(windows.begin(), windows.end());
  window_names.insert(other_windows.begin(), other_windows.end());
  const auto is_pb_any_name = [&window_names](const Text& name) {
    for (size_t underscore = name.find('_'); underscore != Text::npos; underscore = name.find('_', underscore + 1)) {
      // The cheap test first: few rests are PureBasic's own names.
      if (IsPureBasicConstantName(TextView(name).substr(underscore + 1)) &&
          window_names.count(TextView(name).substr(0, underscore)) > 0) {
        return true;
      }
    }
    return false;
  };
  names->erase(std::remove_if(names->begin(), names->end(), is_pb_any_name), names->end());
}

}  // namespace quillon
