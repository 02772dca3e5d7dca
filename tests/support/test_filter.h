// GoogleTest filter expressions.
#pragma once

#include <string>

namespace quillon::testing {

// `filter` ("POSITIVE[-NEGATIVE]", patterns separated by ':') with the
// patterns of `excluded` added to its negative part, so that none of those
// tests runs whatever the positive part selects.
std::string WithoutTests(const std::string& filter, const std::string& excluded);

}  // namespace quillon::testing
