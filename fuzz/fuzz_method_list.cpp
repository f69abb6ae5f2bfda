// Fuzzes the method language: every input line is a method line, run on a recording
// printer, built into preview pages as the preview window builds them and replayed with DrawPage. Whatever the lines
// say, the run ends with a completed run or its stop message, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/failure.h"
#include "control/method_line.h"
#include "draw/draw_page.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "engine/run_driver.h"
#include "fake_platform.h"
#include "method_lines.h"
#include "preview/preview_pages.h"

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

  // Preview building, as the preview window does.
  fake.state.engine.nextMethod = 0;
  test::RecordingPicture picture;
  bool built = false;
  try {
    built = BuildPreviewPages(fake.platform, picture.picture);
  } catch (const Failure&) {
    // A page that does not advance the list: the window reports it as its load's failure.
  }
  // The shown pages, or the pages a stopped build had made so far: DrawPage meets those too.
  const auto& engine = fake.state.engine;
  const PageArray& pages = built ? engine.shownPageList : engine.pageList;
  test::RecordingPicture scratch(10, 10);
  for (size_t page = 1; page < pages.size(); ++page) {
    try {
      (void)DrawPage(picture.picture, pages[page], scratch.picture);
    } catch (const Failure&) {
      // An overflow in a page's copies goes to the caller, which reports it.
    }
  }
  return 0;
}
