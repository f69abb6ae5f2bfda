// The paper tests paint PDF pages and pictures with Qt: they run inside one headless
// application, started as the vant command starts its headless verbs.
#include <gtest/gtest.h>

#include "platform/qt/qt_app.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) needs no Qt.
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/false);
  return RUN_ALL_TESTS();
}
