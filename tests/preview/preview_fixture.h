// A fake platform with a fresh module state and a fake preview window for each test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "engine/page_record.h"
#include "fake_platform.h"
#include "fake_preview_view.h"
#include "preview/frm_preview.h"
#include "preview/zoom_list.h"

namespace vant::test {

// Positions in the zoom list (kZoomChoices): 300 %, 200 %, 100 % and the automatic fit.
inline constexpr int16_t k300 = 0, k200 = 1, k100 = 3, kAuto = kZoomAutoIndex;

// The method list from method lines: fields split at every comma.
void SetMethods(ModuleState& state, std::initializer_list<std::string_view> lines);

// A shown page with the given printable size and unprintable strips, screen pixels.
PageRec ShownPageOf(int32_t printableWidth, int32_t printableHeight, int32_t left = 0,
                    int32_t top = 0, int32_t right = 0, int32_t bottom = 0);

// An A4 printer at 600 dpi with an unprintable strip of 4 mm along every edge: 15 screen
// pixels at 96 dpi.
PrinterSpec TestPrinter();

class PreviewTest : public ::testing::Test {
 protected:
  void SetMethods(std::initializer_list<std::string_view> lines) { test::SetMethods(fake.state, lines); }
  // Loads the window over the method list and lays it out as a first resize does.
  void LoadAndLayOut() {
    window.Load();
    window.Resize();
  }
  void SelectZoom(int16_t index) { view.zoom.SetListIndex(index); }
  // The last stretching copy onto the page image.
  const Mark* LastCopy() const;
  int MessageCount() const { return static_cast<int>(fake.messages.shown.size()); }

  FakePlatform fake{{TestPrinter()}};
  FakePreviewView view;
  FrmPreview window{fake.platform, view};
};

}  // namespace vant::test
