// The status bar: the page on show, its paper, orientation, printer and margins.
#include "common/numbers.h"
#include "engine/module_state.h"
#include "engine/papers.h"
#include "engine/printer.h"
#include "engine/printer_setting.h"
#include "engine/setting_values.h"
#include "preview/attempt_step.h"
#include "preview/frm_preview.h"

namespace vant {
namespace {

// A user-defined size names its sheet, portrait, in millimetres to the tenth: the page
// record's picture pixels turned back, as the margins are.
Text UserSizeOnShow(const PageRec& p, const PictureBox& image) {
  const bool turned = p.orientation == kLandscape;
  const double across = image.ScaleX(turned ? p.paperHeight : p.paperWidth, kScalePixels, kScaleMillimeters);
  const double down = image.ScaleY(turned ? p.paperWidth : p.paperHeight, kScalePixels, kScaleMillimeters);
  return UserSizeName(across, down, 1);
}

// A setting's panel starts with the setting's name: "用紙サイズ:".
Text Caption(PrinterSetting setting) { return Text(RowOf(setting).name) + u":"; }

}  // namespace

void FrmPreview::UpdateStatusBar() {
  const EngineState& engine = platform_.state.engine;
  auto& panels = view_.StatusBar();
  const auto count = static_cast<long long>(engine.shownPageList.size()) - 1;
  const PictureBox& image = view_.PageImage();

  AttemptStep([&] {
    panels.SetPanelText(1, u"印刷プレビュー:" + DecimalText(currentPage_) + u"/" + DecimalText(count));
  });
  AttemptStep([&] {
    const PageRec& p = ShownPage(engine, currentPage_);
    panels.SetPanelText(2, Caption(PrinterSetting::kPaperSize) + (p.paperSize == kPaperUser ? UserSizeOnShow(p, image) : Text(PaperNameFor(p.paperSize))));
  });
  AttemptStep([&] {
    const bool portrait = ShownPage(engine, currentPage_).orientation == kPortrait;
    // Any code but portrait reads as landscape.
    panels.SetPanelText(3, Caption(PrinterSetting::kOrientation) + Text(portrait ? kOrientationPortrait.name : kOrientationLandscape.name));
  });
  AttemptStep([&] { panels.SetPanelText(4, ShownPage(engine, currentPage_).printerName); });
  AttemptStep([&] {
    // The page record's screen pixels turned back into millimetres.
    const PageRec& p = ShownPage(engine, currentPage_);
    auto mm = [&](int32_t pixels, bool vertical) {
      const double value = vertical ? image.ScaleY(pixels, kScalePixels, kScaleMillimeters)
                                    : image.ScaleX(pixels, kScalePixels, kScaleMillimeters);
      return SingleText(ToSingle(value));
    };
    panels.SetPanelText(5, u"印刷マージン:T=" + mm(p.offsetTop, true) + u"/" + u"B=" +
                               mm(p.marginBottom, true) + u"/" + u"L=" + mm(p.offsetLeft, false) +
                               u"/" + u"R=" + mm(p.marginRight, false) + u"(mm)");
  });
}

}  // namespace vant
