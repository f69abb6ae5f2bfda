#include "preview/bas_wheel_mouse.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vant {
namespace {

class LoggingTarget final : public WheelTarget {
 public:
  void vbWheelMinus() override { Record("minus"); }
  void vbWheelPlus() override { Record("plus"); }
  void vbMButtonUp() override { Record("mbuttonup"); }

  std::vector<std::string> calls;
  std::vector<bool> busyDuringCall;
  std::function<void()> during;

 private:
  void Record(const char* name) {
    calls.emplace_back(name);
    busyDuringCall.push_back(WheelBusy());
    if (during) during();
  }
};

TEST(WheelWindowProc, SignOfTheDistanceChoosesTheDirection) {
  LoggingTarget target;
  int passed = 0;
  auto passOn = [&] { return ++passed; };
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(-120), passOn);
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), passOn);
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(-960, 0x0008), passOn);  // many notches
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(0), passOn);
  EXPECT_EQ(target.calls, (std::vector<std::string>{"minus", "plus", "minus", "plus"}));
  EXPECT_EQ(passed, 4);
}

TEST(WheelWindowProc, MiddleButtonAndOtherMessages) {
  LoggingTarget target;
  int passed = 0;
  auto passOn = [&] { return ++passed; };
  WheelWindowProc(target, kWmMButtonUp, 0, passOn);
  WheelWindowProc(target, 0x0201, WheelWParam(-120), passOn);  // a button-down: not ours
  EXPECT_EQ(target.calls, (std::vector<std::string>{"mbuttonup"}));
  EXPECT_EQ(passed, 2);
}

TEST(WheelWindowProc, ReturnsThePreviousProceduresResult) {
  LoggingTarget target;
  EXPECT_EQ(WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [] { return 77; }), 77);
  EXPECT_EQ(WheelWindowProc(target, 0x000F, 0, [] { return -3; }), -3);
}

TEST(WheelWindowProc, MessageDuringHandlingIsOnlyPassedOn) {
  LoggingTarget target;
  int innerPassed = 0;
  target.during = [&] {
    if (target.calls.size() == 1) {
      WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [&] { return ++innerPassed; });
    }
  };
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(-120), [] { return 0; });
  EXPECT_EQ(target.calls, (std::vector<std::string>{"minus"}));
  EXPECT_EQ(innerPassed, 1);
  EXPECT_EQ(target.busyDuringCall, (std::vector<bool>{true}));
  EXPECT_FALSE(WheelBusy());
}

TEST(WheelWindowProc, FlagClearsAfterAnEscapingFailure) {
  LoggingTarget target;
  target.during = [] { throw std::runtime_error("operation failed"); };
  EXPECT_THROW(WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [] { return 0; }),
               std::runtime_error);
  EXPECT_FALSE(WheelBusy());
  target.during = nullptr;
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [] { return 0; });
  EXPECT_EQ(target.calls.size(), 2U);
}

TEST(WheelWParam, DistanceInTheUpperHalf) {
  EXPECT_LT(WheelWParam(-120), 0);
  EXPECT_EQ(WheelWParam(120, 4), (120 << 16) | 4);
  EXPECT_EQ(static_cast<uint32_t>(WheelWParam(-1)) >> 16, 0xFFFFU);
}

}  // namespace
}  // namespace vant
