// The Qt tests run inside one application object, started as the vant command starts its
// windowed verbs (the test's environment selects the offscreen platform).
#include <gtest/gtest.h>

#include "platform/qt/qt_app.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time, without the test environment) needs no Qt.
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/true);
  return RUN_ALL_TESTS();
}
