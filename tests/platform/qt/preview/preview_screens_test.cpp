// The preview window on screens of different device pixel ratios (the offscreen platform
// with three screens of one logical size: ratios 1, 2 and 1.5): the pictures take the
// ratio of the screen the window opens on, a move to another screen renders the page again
// at the new one, and what reaches the screen is the image, one pixel to one device pixel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <memory>

#include "engine/module_state.h"
#include "fake_platform.h"
#include "method_lines.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/preview/qt_preview_window.h"
#include "preview/frm_preview.h"

namespace vant::qt {
namespace {

using test::FakePlatform;

QScreen& ScreenOfRatio(double ratio) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen->devicePixelRatio() == ratio) return *screen;
  }
  throw std::runtime_error("no screen of ratio " + std::to_string(ratio) +
                           ": the tests need the three-screen offscreen configuration");
}

void SetTwoPages(ModuleState& state) {
  test::SetMethodLines(state, {u"prntext,100,100,見本,ＭＳ 明朝,12", u"newpage", u"prnbox,100,100,2000,2000",
                               u"prnjan13,300,2500,4912345678904,2000,600,false"});
}

// One preview window, loaded and shown on a screen, at 100 %.
struct ShownPreview {
  explicit ShownPreview(QScreen& screen) {
    SetTwoPages(fake.state);
    dialog.setScreen(&screen);
    dialog.move(screen.geometry().topLeft());
    window.Load();
    dialog.Attach(&window);
    dialog.show();
    dialog.ZoomWidget().setCurrentIndex(3);
    dialog.NextPageWidget().click();
    QApplication::processEvents();
  }
  ~ShownPreview() {
    dialog.Attach(nullptr);
    window.Unload();
  }
  QImage Image() const { return dialog.PageImageBox().Image(); }

  FakePlatform fake;
  QtPreviewWindow dialog;
  FrmPreview window{fake.platform, dialog};
};

void ExpectRatio(const ShownPreview& shown, double ratio) {
  const QImage image = shown.Image();
  const PictureSurface& surface = shown.dialog.PageImageBox().Surface();
  EXPECT_DOUBLE_EQ(image.devicePixelRatio(), ratio);
  EXPECT_EQ(image.size(), QSize(DeviceEdge(surface.Width(), ratio), DeviceEdge(surface.Height(), ratio)));
  EXPECT_DOUBLE_EQ(shown.dialog.BarcodeScratchBox().Image().devicePixelRatio(), ratio);
  ASSERT_NE(shown.dialog.PagePictureBox(), nullptr);
  EXPECT_DOUBLE_EQ(shown.dialog.PagePictureBox()->Image().devicePixelRatio(), ratio);
}

TEST(QtPreviewScreens, ThePicturesTakeTheRatioOfTheScreenTheWindowOpensOn) {
  for (const double ratio : {1.0, 2.0, 1.5}) {
    SCOPED_TRACE(ratio);
    ShownPreview shown(ScreenOfRatio(ratio));
    ASSERT_TRUE(shown.window.PreviewReady());
    EXPECT_DOUBLE_EQ(shown.dialog.devicePixelRatioF(), ratio);
    ExpectRatio(shown, ratio);
  }
}

TEST(QtPreviewScreens, AMoveToAnotherScreenRendersThePageAgainAtItsRatio) {
  // What a window opened on the double screen shows, for comparison.
  QImage onDouble;
  {
    ShownPreview fresh(ScreenOfRatio(2));
    onDouble = fresh.Image();
  }
  ShownPreview shown(ScreenOfRatio(1));
  ExpectRatio(shown, 1);
  const int16_t before = shown.dialog.VerticalBar().Value();
  shown.dialog.VerticalBarWidget().setValue(before + 60);
  shown.dialog.windowHandle()->setScreen(&ScreenOfRatio(2));
  QApplication::processEvents();
  ExpectRatio(shown, 2);
  // The same page at the same zoom, scrolled where it was. (Page 2 holds no text, whose
  // glyphs Qt may cache at another sub-pixel place when the window has drawn them before.)
  EXPECT_EQ(shown.window.CurrentPage(), 2);
  EXPECT_EQ(shown.dialog.ZoomWidget().currentIndex(), 3);
  EXPECT_EQ(shown.dialog.VerticalBar().Value(), before + 60);
  EXPECT_EQ(shown.Image(), onDouble);

  shown.dialog.windowHandle()->setScreen(&ScreenOfRatio(1.5));
  QApplication::processEvents();
  ExpectRatio(shown, 1.5);
  shown.dialog.windowHandle()->setScreen(&ScreenOfRatio(1));
  QApplication::processEvents();
  ExpectRatio(shown, 1);
}

TEST(QtPreviewScreens, TheScreenGetsTheImagesPixelsOneToOne) {
  for (const double ratio : {2.0, 1.5}) {
    SCOPED_TRACE(ratio);
    ShownPreview shown(ScreenOfRatio(ratio));
    const QImage image = shown.Image();
    const PictureSurface& surface = shown.dialog.PageImageBox().Surface();
    const QImage screen = shown.dialog.ViewportWidget().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_DOUBLE_EQ(screen.devicePixelRatio(), ratio);
    // Where the viewport draws the image, in device pixels: its place, on a whole device
    // pixel.
    const QPoint at(DeviceEdge(surface.Left(), ratio), DeviceEdge(surface.Top(), ratio));
    const QRect shownPart = QRect(at, image.size()).intersected(screen.rect());
    ASSERT_GT(shownPart.width() * shownPart.height(), 10000);
    int differing = 0;
    for (int y = shownPart.top(); y <= shownPart.bottom(); ++y) {
      for (int x = shownPart.left(); x <= shownPart.right(); ++x) {
        differing += screen.pixel(x, y) != image.pixel(x - at.x(), y - at.y()) ? 1 : 0;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace vant::qt
