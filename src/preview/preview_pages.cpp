#include "preview/preview_pages.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "draw/method_commands.h"
#include "engine/page_record.h"
#include "engine/printer_geometry.h"
#include "engine/run_driver.h"
#include "preview/frm_preview.h"
#include "preview/preview_layout.h"

namespace vant {

bool BuildPreviewPages(Platform& platform, PictureBox& picture) {
  auto& engine = platform.state.engine;
  const auto& geometry = engine.printerGeometry;
  for (int page = 1;; ++page) {
    // Page numbers are 16-bit; a list cannot hold more pages than methods, so this only
    // guards against a run that never advances.
    const int16_t number = WholeInt16(page);
    ReadPrinterGeometry(platform, platform.printer);  // a failure reported itself
    picture.Cls();
    picture.SetScaleMode(kScalePixels);
    picture.SetWidth(ToSingle(picture.ScaleX(geometry.printableWidth, kScaleMillimeters, kScalePixels) * kPageDensity));
    picture.SetHeight(
        ToSingle(picture.ScaleY(geometry.printableHeight, kScaleMillimeters, kScalePixels) * kPageDensity));
    picture.SetBackColor(kWhite);
    picture.SetVisible(false);

    engine.pageList.resize(static_cast<size_t>(page) + 1);
    engine.pageList[static_cast<size_t>(page)].marks.clear();
    SetupPreviewPage(platform, picture, number);
    const int16_t before = engine.nextMethod;
    if (RunMethods(platform, picture, number, MethodCommands()) != kRunCompleted) return false;
    if (engine.nextMethod > platform.state.control.methodCount) break;
    // Every completed page moves past its page break; a run that leaves the position
    // where it was would build the same page for ever.
    if (engine.nextMethod <= before) throw Failure::IndexOutOfRange();
  }

  // The pages with something drawn, renumbered from 1.
  engine.shownPageList.resize(1);
  for (size_t i = 1; i < engine.pageList.size(); ++i) {
    if (engine.pageList[i].shown) engine.shownPageList.push_back(engine.pageList[i]);
  }
  engine.nextMethod = 0;
  return true;
}

void ClearPreviewPages(EngineState& engine) {
  engine.pageList = PageArray(1);
  engine.shownPageList = PageArray(1);
  engine.nextMethod = 0;
}

}  // namespace vant
