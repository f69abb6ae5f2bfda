#include "engine/module_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace vant {
namespace {

TEST(ModuleState, OnePerThread) {
  ThisThreadState().control.printCaption = u"main";
  Text seenInOther = u"unset";
  std::thread other([&] {
    seenInOther = ThisThreadState().control.printCaption;
    ThisThreadState().control.printCaption = u"other";
  });
  other.join();
  EXPECT_EQ(seenInOther, u"");
  EXPECT_EQ(ThisThreadState().control.printCaption, u"main");
  ThisThreadState().control.printCaption.clear();
}

}  // namespace
}  // namespace vant
