#include "preview_pages.h"

#include <stdexcept>

#include "common/numbers.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/printer_geometry.h"
#include "engine/run_driver.h"

namespace vant::bench {
namespace {

constexpr double kPageDensity = 2;  // the preview page is drawn at twice the picture's density

float DoubleDensity(double pixels) { return ToSingle(pixels * kPageDensity); }

}  // namespace

int BuildPreviewPages(Platform& platform, qt::QtPictureBox& qtPicture) {
  auto& engine = platform.state.engine;
  const auto& geometry = engine.printerGeometry;
  PictureBox& picture = qtPicture.Surface();
  for (int page = 1;; ++page) {
    const int16_t number = WholeInt16(page);
    if (ReadPrinterGeometry(platform, platform.printer) != 0) {
      throw std::runtime_error("the printer's page could not be measured");
    }
    picture.Cls();
    picture.SetScaleMode(kScalePixels);
    picture.SetWidth(DoubleDensity(picture.ScaleX(geometry.printableWidth, kScaleMillimeters, kScalePixels)));
    picture.SetHeight(DoubleDensity(picture.ScaleY(geometry.printableHeight, kScaleMillimeters, kScalePixels)));
    picture.SetBackColor(kWhitePicture);
    picture.SetVisible(false);

    engine.pageList.resize(static_cast<size_t>(page) + 1);
    engine.pageList[static_cast<size_t>(page)].marks.clear();
    SetupPreviewPage(platform, picture, number);
    const int16_t before = engine.nextMethod;
    if (RunMethods(platform, picture, number, MethodCommands()) != kRunCompleted) {
      throw std::runtime_error("preview building stopped on page " + std::to_string(page));
    }
    if (engine.nextMethod > platform.state.control.methodCount) break;
    if (engine.nextMethod <= before) throw std::runtime_error("a preview page did not advance the list");
  }
  engine.shownPageList.resize(1);
  for (size_t i = 1; i < engine.pageList.size(); ++i) {
    if (engine.pageList[i].shown) engine.shownPageList.push_back(engine.pageList[i]);
  }
  engine.nextMethod = 0;
  return static_cast<int>(engine.shownPageList.size()) - 1;
}

void ClearPreviewPages(EngineState& engine) {
  engine.pageList = PageArray(1);
  engine.shownPageList = PageArray(1);
  engine.nextMethod = 0;
}

void PrepareBarcodeScratch(PictureBox& scratch) {
  scratch.SetScaleMode(kScalePixels);
  scratch.SetBackColor(kWhitePicture);
  scratch.SetVisible(false);
}

}  // namespace vant::bench
