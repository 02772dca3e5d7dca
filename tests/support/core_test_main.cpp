// The core tests' main. Run as root, it leaves out the tests that need an
// unprivileged user: root passes every permission check, so they could only
// skip. ctest's PermissionTestsUnprivileged runs exactly these tests as
// nobody (tests/run_unprivileged.sh), so each of them still runs once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "support/test_filter.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (::geteuid() == 0) {
    GTEST_FLAG_SET(filter, quillon::testing::WithoutTests(GTEST_FLAG_GET(filter), QUILLON_UNPRIVILEGED_TESTS));
    // A listing is read by ctest's test discovery: it must hold test names only.
    if (!GTEST_FLAG_GET(list_tests)) {
      std::cerr << "core_tests: running as root, so the tests that need an unprivileged user are left out ("
                << QUILLON_UNPRIVILEGED_TESTS << "); ctest runs them as nobody in PermissionTestsUnprivileged\n";
    }
  }
  return RUN_ALL_TESTS();
}
