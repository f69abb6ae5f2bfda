// The render tests replay pages in this process too, with the shipped fonts: one Qt
// application on the offscreen platform for the whole run, started before the first test
// (listing the tests at build time starts none).
#include <gtest/gtest.h>

#include <memory>

#include "platform/qt/qt_app.h"

namespace {

class QtEnvironment final : public testing::Environment {
 public:
  void SetUp() override { app_ = vant::qt::StartQt(argc_, argv_, /*windowed=*/false); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "render_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] testing::Environment* const kQt =
    testing::AddGlobalTestEnvironment(new QtEnvironment);  // gtest owns its environments

}  // namespace
