// gtest's own main with one option of these measurements: --full measures
// 10 s per interval (the figures worth quoting); the default 1 s keeps CI short.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/wine/timing/timing_options.h"

namespace timing_test {
int secondsPerInterval = 1;
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--full") == 0) timing_test::secondsPerInterval = 10;
  }
  return RUN_ALL_TESTS();
}
