// A preview window without a display: the control models of the preview, picture boxes
// over recording devices at 96 dpi, and a log of the window operations.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/failure.h"
#include "fake_platform.h"
#include "preview/preview_layout.h"
#include "preview/preview_view.h"

namespace vant::test {

class FakePreviewView final : public PreviewView {
 public:
  Pane& Viewport() override { return viewport; }
  Pane& Canvas() override { return canvas; }
  Pane& VerticalBarPlace() override { return verticalPlace; }
  Pane& HorizontalBarPlace() override { return horizontalPlace; }
  ScrollBarModel& VerticalBar() override { return vertical; }
  ScrollBarModel& HorizontalBar() override { return horizontal; }
  ZoomList& ZoomChoices() override { return zoom; }
  ButtonState& NextPageButton() override { return next; }
  ButtonState& BackPageButton() override { return back; }
  StatusPanels& StatusBar() override { return panels; }

  PictureBox& PageImage() override { return image.picture; }
  PictureBox& CreatePagePicture() override {
    if (refusePagePicture) throw Failure::NotSupported();
    page = std::make_unique<RecordingPicture>(1, 1);
    return page->picture;
  }
  PictureBox& PagePicture() override {
    if (!page) throw Failure::IndexOutOfRange();
    return page->picture;
  }
  PictureBox& BarcodeScratch() override { return scratch.picture; }

  float ScaleWidth() const override { return windowWidth; }
  float ScaleHeight() const override { return windowHeight; }
  float StatusBarHeight() const override { return statusHeight; }
  float ScreenWidth() const override { return screenWidth; }
  float ScreenHeight() const override { return screenHeight; }

  void Maximize() override { log.push_back("maximize"); }
  void FocusViewport() override { log.push_back("focus"); }
  void InstallWheelHandler(WheelTarget& target) override {
    wheel = &target;
    log.push_back("install wheel");
  }
  void RemoveWheelHandler() override {
    wheel = nullptr;
    log.push_back("remove wheel");
  }
  void CloseWindow() override { log.push_back("close"); }

  // The designed places, in pixels.
  Pane viewport{TwipsToPixels(kBasePlace.left), TwipsToPixels(kBasePlace.top),
                TwipsToPixels(kBasePlace.width), TwipsToPixels(kBasePlace.height)};
  Pane canvas{TwipsToPixels(kCanvasPlace.left), TwipsToPixels(kCanvasPlace.top),
              TwipsToPixels(kCanvasPlace.width), TwipsToPixels(kCanvasPlace.height)};
  Pane verticalPlace{TwipsToPixels(kVerticalBarPlace.left), TwipsToPixels(kVerticalBarPlace.top),
                     TwipsToPixels(kVerticalBarPlace.width),
                     TwipsToPixels(kVerticalBarPlace.height)};
  Pane horizontalPlace{TwipsToPixels(kHorizontalBarPlace.left),
                       TwipsToPixels(kHorizontalBarPlace.top),
                       TwipsToPixels(kHorizontalBarPlace.width),
                       TwipsToPixels(kHorizontalBarPlace.height)};
  ScrollBarModel vertical;
  ScrollBarModel horizontal;
  ZoomList zoom;
  ButtonState next;
  ButtonState back;
  StatusPanels panels;
  RecordingPicture image{TwipsToPixels(kPageImagePlace.width),
                         TwipsToPixels(kPageImagePlace.height)};
  std::unique_ptr<RecordingPicture> page;
  RecordingPicture scratch{25, 17};

  float windowWidth = TwipsToPixels(kWindowClient.width);
  float windowHeight = TwipsToPixels(kWindowClient.height);
  float statusHeight = TwipsToPixels(kStatusBarPlace.height);
  float screenWidth = 1920;
  float screenHeight = 1080;

  bool refusePagePicture = false;
  WheelTarget* wheel = nullptr;
  std::vector<std::string> log;
};

}  // namespace vant::test
