#include "support/test_filter.h"

namespace quillon::testing {

std::string WithoutTests(const std::string& filter, const std::string& excluded) {
  if (excluded.empty()) return filter;
  // The first '-' starts the negative part; an empty positive part means "*".
  if (filter.find('-') != std::string::npos) return filter + ":" + excluded;
  return (filter.empty() ? std::string("*") : filter) + "-" + excluded;
}

}  // namespace quillon::testing
