#include "preview/bas_wheel_mouse.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vant {
namespace {

class LoggingTarget final : public WheelTarget {
 public:
  // busy is the flag of the module state the window shares with the thread's other windows.
  explicit LoggingTarget(bool& busy) : busy_(busy) {}
  void vbWheelMinus() override { Record("minus"); }
  void vbWheelPlus() override { Record("plus"); }
  void vbMButtonUp() override { Record("mbuttonup"); }
  bool& WheelBusy() override { return busy_; }

  std::vector<std::string> calls;
  std::vector<bool> busyDuringCall;
  std::function<void()> during;

 private:
  void Record(const char* name) {
    calls.emplace_back(name);
    busyDuringCall.push_back(busy_);
    if (during) during();
  }
  bool& busy_;
};

TEST(WheelWindowProc, SignOfTheDistanceChoosesTheDirection) {
  bool busy = false;
  LoggingTarget target(busy);
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
  bool busy = false;
  LoggingTarget target(busy);
  int passed = 0;
  auto passOn = [&] { return ++passed; };
  WheelWindowProc(target, kWmMButtonUp, 0, passOn);
  WheelWindowProc(target, 0x0201, WheelWParam(-120), passOn);  // a button-down: not ours
  EXPECT_EQ(target.calls, (std::vector<std::string>{"mbuttonup"}));
  EXPECT_EQ(passed, 2);
}

TEST(WheelWindowProc, ReturnsThePreviousProceduresResult) {
  bool busy = false;
  LoggingTarget target(busy);
  EXPECT_EQ(WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [] { return 77; }), 77);
  EXPECT_EQ(WheelWindowProc(target, 0x000F, 0, [] { return -3; }), -3);
}

TEST(WheelWindowProc, MessageDuringHandlingIsOnlyPassedOn) {
  bool busy = false;
  LoggingTarget target(busy);
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
  EXPECT_FALSE(busy);
}

TEST(WheelWindowProc, FlagClearsAfterAnEscapingFailure) {
  bool busy = false;
  LoggingTarget target(busy);
  target.during = [] { throw std::runtime_error("operation failed"); };
  EXPECT_THROW(WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [] { return 0; }),
               std::runtime_error);
  EXPECT_FALSE(busy);
  target.during = nullptr;
  WheelWindowProc(target, kWmMouseWheel, WheelWParam(120), [] { return 0; });
  EXPECT_EQ(target.calls.size(), 2U);
}

TEST(WheelWindowProc, TheFlagIsSharedByTheWindowsOfAState) {
  // A message to a second window while the first one handles its own is only passed on.
  bool busy = false;
  LoggingTarget first(busy);
  LoggingTarget second(busy);
  int secondPassed = 0;
  first.during = [&] { WheelWindowProc(second, kWmMouseWheel, WheelWParam(120), [&] { return ++secondPassed; }); };
  WheelWindowProc(first, kWmMouseWheel, WheelWParam(-120), [] { return 0; });
  EXPECT_EQ(first.calls, (std::vector<std::string>{"minus"}));
  EXPECT_TRUE(second.calls.empty());
  EXPECT_EQ(secondPassed, 1);
  EXPECT_FALSE(busy);
  // A window of another state has a flag of its own.
  bool otherBusy = false;
  LoggingTarget elsewhere(otherBusy);
  first.during = [&] { WheelWindowProc(elsewhere, kWmMouseWheel, WheelWParam(120), [] { return 0; }); };
  WheelWindowProc(first, kWmMouseWheel, WheelWParam(-120), [] { return 0; });
  EXPECT_EQ(elsewhere.calls, (std::vector<std::string>{"plus"}));
  EXPECT_EQ(elsewhere.busyDuringCall, (std::vector<bool>{true}));
}

TEST(WheelWParam, DistanceInTheUpperHalf) {
  EXPECT_LT(WheelWParam(-120), 0);
  EXPECT_EQ(WheelWParam(120, 4), (120 << 16) | 4);
  EXPECT_EQ(static_cast<uint32_t>(WheelWParam(-1)) >> 16, 0xFFFFU);
}

}  // namespace
}  // namespace vant
