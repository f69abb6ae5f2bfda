// A method list loaded into the fake platform's module state, and a preview picture.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "control/method_line.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/run_driver.h"
#include "fake_platform.h"

namespace vant::test {

inline void LoadMethods(ModuleState& module, const std::vector<Text>& lines) {
  auto& state = module.control;
  state.paramsLoaded = true;
  state.methodList.assign(lines.size() + 1, MethodRec{});
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto parts = SplitMethodLine(lines[i]);
    for (size_t f = 0; f < std::min<size_t>(parts.size(), kMethodFields); ++f)
      state.methodList[i + 1].field[f] = parts[f];
  }
  state.methodCount = static_cast<int16_t>(lines.size());
}

class RunFixture : public ::testing::Test {
 protected:
  explicit RunFixture(std::vector<PrinterSpec> specs = {PrinterSpec{}}) : fake(std::move(specs)) {}
  void LoadMethods(const std::vector<Text>& lines) { test::LoadMethods(fake.state, lines); }

  int16_t Print() { return RunMethods(fake.platform, fake.platform.printer, 0, MethodCommands()); }
  // Builds preview page `page` the way the preview window does.
  int16_t BuildPage(int16_t page) {
    auto& pages = fake.state.engine.pageList;
    pages.resize(static_cast<size_t>(page) + 1);
    pages[static_cast<size_t>(page)].marks.clear();
    return RunMethods(fake.platform, picture.picture, page, MethodCommands());
  }
  int Count(const std::string& event, int printer = 0) {
    const auto& events = fake.printers.Recording(printer).events;
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }
  const ShownMessage& OnlyMessage() {
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    return fake.messages.shown.at(0);
  }

  FakePlatform fake;
  RecordingPicture picture;
};

}  // namespace vant::test
