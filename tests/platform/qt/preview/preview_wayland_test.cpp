// The preview window as a native Wayland window: a private headless compositor (weston)
// whose output has a scale of 2, Qt on its Wayland platform. The window is the platform's
// own (not an X11 one through a compatibility server), modal over the process's other
// windows, takes the output's device pixel ratio for its pictures, and closes with Escape.
#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/module_state.h"
#include "fake_platform.h"
#include "method_lines.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/preview/qt_preview_factory.h"
#include "platform/qt/preview/qt_preview_window.h"
#include "platform/qt/qt_app.h"
#include "preview/run_preview.h"

namespace {

constexpr int kOutputScale = 2;

// weston on its headless backend, with a runtime directory of its own; stopped at the end.
class PrivateCompositor {
 public:
  PrivateCompositor() {
    char dir[] = "/tmp/vant-wayland-XXXXXX";  // mkdtemp makes it 0700, as the socket's folder must be
    if (mkdtemp(dir) == nullptr) throw std::runtime_error("cannot make a runtime directory");
    runtimeDir_ = dir;
    const std::string socket = "vant-preview-" + std::to_string(getpid());
    const std::string scale = "--scale=" + std::to_string(kOutputScale);
    const std::string log = "--log=" + (runtimeDir_ / "weston.log").string();
    pid_ = fork();
    if (pid_ == 0) {
      setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
      execl(VANT_WESTON, VANT_WESTON, "--backend=headless-backend.so", ("--socket=" + socket).c_str(),
            "--no-config", "--idle-time=0", scale.c_str(), log.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 400 && !std::filesystem::exists(runtimeDir_ / socket); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    if (!std::filesystem::exists(runtimeDir_ / socket)) {
      throw std::runtime_error("weston did not start: see " + (runtimeDir_ / "weston.log").string());
    }
    setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
    setenv("WAYLAND_DISPLAY", socket.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "wayland", 1);  // Qt stops, saying why, when its plugin is missing
    unsetenv("DISPLAY");
  }
  ~PrivateCompositor() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    std::error_code ignored;
    std::filesystem::remove_all(runtimeDir_, ignored);
  }
  PrivateCompositor(const PrivateCompositor&) = delete;
  PrivateCompositor& operator=(const PrivateCompositor&) = delete;

 private:
  std::filesystem::path runtimeDir_;
  pid_t pid_ = -1;
};

}  // namespace

namespace vant::qt {
namespace {

void SetTwoPages(ModuleState& state) {
  test::SetMethodLines(state, {u"prntext,100,100,一,ＭＳ 明朝,12", u"newpage", u"prntext,100,100,二,ＭＳ 明朝,12"});
}

void ClickThroughTheWindowSystem(QWidget& widget) {
  QTest::mouseClick(widget.windowHandle(), Qt::LeftButton, Qt::NoModifier, widget.rect().center());
  QApplication::processEvents();
}

QtPreviewWindow* ShownPreview() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* dialog = dynamic_cast<QtPreviewWindow*>(top);
    if (dialog != nullptr && dialog->isVisible()) return dialog;
  }
  return nullptr;
}

TEST(QtPreviewWayland, ANativeModalWindowAtTheOutputsScaleClosedByEscape) {
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
  test::FakePlatform fake;
  SetTwoPages(fake.state);
  // The window of the control that opens the preview, as `vant show` has it.
  QPushButton control(QStringLiteral("印刷プレビュー"));
  int controlClicks = 0;
  QObject::connect(&control, &QPushButton::clicked, [&] { ++controlClicks; });
  control.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));

  bool exposed = false, modal = false, blocked = false, closed = false;
  double ratio = 0, imageRatio = 0;
  QSize imageSize, logicalSize;
  QTimer::singleShot(0, [&] {
    QtPreviewWindow* dialog = ShownPreview();
    if (dialog == nullptr) return;
    exposed = QTest::qWaitForWindowExposed(dialog);
    modal = QApplication::activeModalWidget() == dialog && dialog->isModal();
    ratio = dialog->devicePixelRatioF();
    const QImage image = dialog->PageImageBox().Image();
    imageRatio = image.devicePixelRatio();
    imageSize = image.size();
    logicalSize = QSize(static_cast<int>(dialog->PageImage().Width()),
                        static_cast<int>(dialog->PageImage().Height()));
    // A click on the control's window, through the window system's input, does not reach
    // it while the preview is open.
    ClickThroughTheWindowSystem(control);
    blocked = controlClicks == 0;
    // The headless compositor has no keyboard, so no window here is ever the active one and
    // the window-wide keys (PageDown and the rest, tested on the other platforms) cannot
    // reach it; Escape goes to the dialog itself.
    QTest::keyClick(dialog, Qt::Key_Escape);
    closed = !dialog->isVisible();
    if (!closed) dialog->CloseWidget().click();  // so that the test ends either way
  });
  QtPreviewFactory factory;
  RunPreview(fake.platform, factory);

  EXPECT_TRUE(exposed);
  EXPECT_TRUE(modal);
  EXPECT_DOUBLE_EQ(ratio, kOutputScale);
  EXPECT_DOUBLE_EQ(imageRatio, kOutputScale);
  EXPECT_EQ(imageSize, QSize(DeviceEdge(logicalSize.width(), kOutputScale),
                             DeviceEdge(logicalSize.height(), kOutputScale)));
  EXPECT_TRUE(blocked);
  EXPECT_TRUE(closed);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  // Once the preview has closed the control's window takes clicks again.
  ClickThroughTheWindowSystem(control);
  EXPECT_EQ(controlClicks, 1);
}

}  // namespace
}  // namespace vant::qt

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time, without the test environment) needs no compositor.
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  const PrivateCompositor compositor;
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/true);
  return RUN_ALL_TESTS();
}
