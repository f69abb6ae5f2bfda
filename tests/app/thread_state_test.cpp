#include "app/process/thread_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace vant {
namespace {

// The controls of one thread share one module state; another thread has its own.
TEST(ThreadModuleState, OnePerThread) {
  ModuleState& mine = app::ThreadModuleState();
  EXPECT_EQ(&mine, &app::ThreadModuleState());
  mine.control.printCaption = u"main";
  Text seenInOther = u"unset";
  bool otherIsMine = true;
  std::thread thread([&] {
    otherIsMine = &app::ThreadModuleState() == &mine;
    seenInOther = app::ThreadModuleState().control.printCaption;
    app::ThreadModuleState().control.printCaption = u"other";
  });
  thread.join();
  EXPECT_FALSE(otherIsMine);
  EXPECT_EQ(seenInOther, u"");
  EXPECT_EQ(mine.control.printCaption, u"main");
}

}  // namespace
}  // namespace vant
