#include "engine/module_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace vant {
namespace {

TEST(BarcodeRefusal, OnePerThread) {
  ThisThreadState().barcodeRefusal = u"main";
  Text seenInOther = u"unset";
  std::thread other([&] {
    seenInOther = ThisThreadState().barcodeRefusal;
    ThisThreadState().barcodeRefusal = u"other";
  });
  other.join();
  EXPECT_EQ(seenInOther, u"");
  EXPECT_EQ(ThisThreadState().barcodeRefusal, u"main");
}

}  // namespace
}  // namespace vant
