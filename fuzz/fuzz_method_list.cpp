// Fuzzes the method language: every input line is a method line, run on a recording
// printer, built into preview pages and replayed with DrawPage. Whatever the lines say, the
// run ends with a completed run or its stop message, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/failure.h"
#include "control/method_line.h"
#include "draw/method_commands.h"
#include "draw/draw_page.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/printer_geometry.h"
#include "engine/run_driver.h"
#include "fake_platform.h"
#include "method_lines.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vant;
  test::PrinterSpec office;
  office.marginLeftMm = 4.2;
  office.marginTopMm = 6.3;
  test::PrinterSpec label;
  label.name = u"Label";
  label.dpi = 203;
  test::FakePlatform fake({office, label});
  fuzz::LoadMethodLines(fake.state.control, std::string_view(reinterpret_cast<const char*>(data), size));

  (void)RunMethods(fake.platform, fake.platform.printer, 0, MethodCommands());

  // Preview building, page by page, as the preview window does.
  auto& engine = fake.state.engine;
  engine.nextMethod = 0;
  test::RecordingPicture picture;
  for (int16_t page = 1; page < 50; ++page) {
    engine.pageList.resize(static_cast<size_t>(page) + 1);
    engine.pageList[static_cast<size_t>(page)].marks.clear();
    SetupPreviewPage(fake.platform, picture.picture, page);
    if (RunMethods(fake.platform, picture.picture, page, MethodCommands()) != 0) break;
    if (engine.nextMethod > fake.state.control.methodCount) break;
  }
  engine.shownPageList = engine.pageList;
  test::RecordingPicture scratch(10, 10);
  for (size_t page = 1; page < engine.shownPageList.size(); ++page) {
    try {
      (void)DrawPage(picture.picture, engine.shownPageList[page], scratch.picture);
    } catch (const Failure&) {
      // An overflow in a page's copies goes to the caller, which reports it.
    }
  }
  return 0;
}
