#include "barcode/barcode_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace vant {
namespace {

TEST(BarcodeErrorText, OnePerThread) {
  BarcodeErrorText() = u"main";
  Text seenInOther = u"unset";
  std::thread other([&] {
    seenInOther = BarcodeErrorText();
    BarcodeErrorText() = u"other";
  });
  other.join();
  EXPECT_EQ(seenInOther, u"");
  EXPECT_EQ(BarcodeErrorText(), u"main");
}

}  // namespace
}  // namespace vant
