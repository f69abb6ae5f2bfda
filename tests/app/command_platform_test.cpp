// The one platform of the vant command's and its host's controls: the caller's printers,
// boxes and pointer, the thread's module state, libzint's symbols, no run followed.
#include "app/run/command_platform.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/process/thread_state.h"
#include "fake_platform.h"

namespace vant {
namespace {

TEST(CommandPlatform, HoldsWhatItIsGivenWithTheThreadsModuleStateAndTheSymbols) {
  test::FakePrinters printers({test::PrinterSpec{}});
  PrinterObject printer(printers);
  test::RecordingMessages messages;
  test::FakePointer pointer;
  const symbols::ZintEncoder symbols;
  const Platform platform = app::CommandPlatform(printer, messages, pointer, symbols);
  EXPECT_EQ(&platform.printer, &printer);
  EXPECT_EQ(&platform.messages, &messages);
  EXPECT_EQ(&platform.pointer, &pointer);
  EXPECT_EQ(&platform.state, &app::ThreadModuleState());
  EXPECT_EQ(platform.symbols, &symbols);
  EXPECT_EQ(platform.watcher, nullptr);
  // Made on another thread, it holds that thread's state.
  const ModuleState* other = nullptr;
  std::thread thread([&] { other = &app::CommandPlatform(printer, messages, pointer, symbols).state; });
  thread.join();
  EXPECT_NE(other, &app::ThreadModuleState());
}

}  // namespace
}  // namespace vant
