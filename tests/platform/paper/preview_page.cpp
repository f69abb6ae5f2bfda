#include "preview_page.h"

#include <cmath>
#include <stdexcept>

#include "draw/method_commands.h"
#include "draw/draw_page.h"
#include "engine/module_state.h"
#include "engine/printer_geometry.h"
#include "engine/run_driver.h"
#include "platform/qt/qt_picture_box.h"

namespace vant::test::paper {

QImage DrawnPreviewPage(PaperTest& test, printing::PrinterList& list, Platform& platform,
                        const Text& printerName, const std::vector<std::string>& lines) {
  int index = -1;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Page(i).DeviceName() == printerName) index = i;
  }
  if (index < 0) throw std::runtime_error("no printer " + ToUtf8(printerName));
  list.MakeCurrent(index);
  test.LoadLines(lines);

  auto& engine = platform.state.engine;
  if (ReadPrinterGeometry(platform, platform.printer) != 0) throw std::runtime_error("printer not measured");
  qt::QtPictureBox picture(10, 10, kPictureDpi, kPictureDpi);
  picture.Surface().SetScaleMode(kScalePixels);
  engine.pageList.resize(2);
  SetupPreviewPage(platform, picture.Surface(), 1);
  if (RunMethods(platform, picture.Surface(), 1, MethodCommands()) != kRunCompleted) throw std::runtime_error("the preview run stopped");
  if (!engine.pageList[1].shown) throw std::runtime_error("the page is not shown");
  engine.shownPageList.resize(1);
  engine.shownPageList.push_back(engine.pageList[1]);

  // The page picture: the printable area, in whole millimetres, at double density.
  const auto& geometry = engine.printerGeometry;
  const int width = static_cast<int>(std::lround(geometry.printableWidth / 25.4 * kPreviewDpi));
  const int height = static_cast<int>(std::lround(geometry.printableHeight / 25.4 * kPreviewDpi));
  qt::QtPictureBox page(width, height, kPictureDpi, kPictureDpi);
  page.Surface().SetScaleMode(kScalePixels);
  qt::QtPictureBox scratch(10, 10, kPictureDpi, kPictureDpi);
  scratch.Surface().SetScaleMode(kScalePixels);
  if (!DrawPage(page.Surface(), ShownPage(engine, 1), scratch.Surface())) throw std::runtime_error("DrawPage drew nothing");
  return page.Image().copy();
}

}  // namespace vant::test::paper
