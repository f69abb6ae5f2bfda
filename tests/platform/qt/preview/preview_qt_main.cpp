// The preview window's tests run inside one application object on the offscreen platform.
#include <gtest/gtest.h>

#include "platform/qt/qt_app.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time, without the test environment) needs no Qt.
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/true);
  return RUN_ALL_TESTS();
}
