// Starting Qt as the headless verbs do, from an environment that names no platform and no
// font configuration: the offscreen platform, no widgets, the shipped fonts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/qt/qt_app.h"
#include "platform/qt/qt_fonts.h"

namespace {

std::unique_ptr<QGuiApplication> app;
int appArgc = 1;
char appName[] = "test_platform_qt_start";
char* appArgv[] = {appName, nullptr};

TEST(StartQt, HeadlessRunsOffscreenWithoutWidgets) {
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
  EXPECT_EQ(qobject_cast<QApplication*>(app.get()), nullptr);
}

TEST(StartQt, PointsFontconfigAtTheShippedFile) {
  const char* file = std::getenv("FONTCONFIG_FILE");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::filesystem::path(file), vant::qt::ShippedFontConfig());
  const QFontInfo mincho(vant::qt::FontFromSpec(vant::FontSpec{u"ＭＳ 明朝", 12, false, false}));
  EXPECT_EQ(mincho.family(), QStringLiteral("IPAMincho"));
}

TEST(StartQt, ASecondStartIsRefused) {
  int argc = 1;
  EXPECT_THROW(vant::qt::StartQt(argc, appArgv, false), std::logic_error);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("FONTCONFIG_FILE");
  unsetenv("DISPLAY");
  app = vant::qt::StartQt(appArgc, appArgv, /*windowed=*/false);
  const int result = RUN_ALL_TESTS();
  app.reset();
  return result;
}
