// The preview window as designed, in twips (1/1440 inch), and in the screen pixels the
// window works in (15 twips to the pixel at 96 dots per inch).
#pragma once

#include <array>
#include <cstdint>

namespace vant {

struct DesignPlace {
  int32_t left, top, width, height;  // twips
};

inline constexpr int32_t kTwipsPerPixel = 15;

constexpr float TwipsToPixels(int32_t twips) {
  return static_cast<float>(twips / kTwipsPerPixel);
}
// The same in whole pixels, as a widget is placed.
constexpr int TwipsToWholePixels(int32_t twips) { return static_cast<int>(TwipsToPixels(twips)); }

inline constexpr DesignPlace kWindowClient{0, 0, 12315, 8550};
inline constexpr DesignPlace kNextPagePlace{0, 60, 1455, 375};      // cmdNextPage
inline constexpr DesignPlace kBackPagePlace{1560, 60, 1455, 375};   // cmdBackPage
inline constexpr DesignPlace kZoomLabelPlace{3120, 120, 1095, 255}; // lblZoom
inline constexpr DesignPlace kZoomListPlace{4200, 120, 1335, 300};  // cmbZoom
inline constexpr DesignPlace kPrintPlace{5640, 60, 1455, 375};      // cmdPrint
inline constexpr DesignPlace kClosePlace{7200, 60, 1455, 375};      // cmdClose
inline constexpr DesignPlace kBasePlace{0, 480, 12015, 7215};       // picBase
inline constexpr DesignPlace kVerticalBarPlace{12000, 480, 255, 7215};   // vsbPicture
inline constexpr DesignPlace kHorizontalBarPlace{0, 7680, 12015, 255};   // hsbPicture
inline constexpr DesignPlace kStatusBarPlace{0, 8175, 12315, 375};  // StatusBar1
inline constexpr DesignPlace kPageImagePlace{3720, 600, 4215, 5895};     // picImage(0)
inline constexpr DesignPlace kCanvasPlace{840, 600, 2295, 2415};         // picZoom
inline constexpr DesignPlace kBarcodeScratchPlace{1440, 4200, 375, 255}; // picBarCode

inline constexpr std::array kDesignPlaces{
    kWindowClient, kNextPagePlace,       kBackPagePlace,  kZoomLabelPlace, kZoomListPlace,
    kPrintPlace,   kClosePlace,          kBasePlace,      kVerticalBarPlace,
    kHorizontalBarPlace, kStatusBarPlace, kPageImagePlace, kCanvasPlace,
    kBarcodeScratchPlace,
};

constexpr bool WholePixelPlaces() {
  for (const auto& place : kDesignPlaces) {
    for (int32_t v : {place.left, place.top, place.width, place.height}) {
      if (v % kTwipsPerPixel != 0) return false;
    }
  }
  return true;
}
static_assert(WholePixelPlaces(), "every designed place is a whole number of pixels");

// Captions and texts of the window.
inline constexpr char16_t kWindowCaption[] = u"Ostra帳票印刷";
inline constexpr char16_t kNextPageCaption[] = u"次ページ(&N)";
inline constexpr char16_t kBackPageCaption[] = u"前ページ(&P)";
inline constexpr char16_t kPrintCaption[] = u"印刷(&T)";
inline constexpr char16_t kCloseCaption[] = u"閉じる(&C)";
inline constexpr char16_t kZoomLabelCaption[] = u"ズーム値：";
inline constexpr char16_t kZoomLabelFont[] = u"ＭＳ Ｐゴシック";
inline constexpr double kZoomLabelPoints = 12;

// The viewport's background: the original control's application-workspace colour.
// The canvas's designed background, pure green; the canvas is never shown.
inline constexpr int32_t kCanvasBackColor = 0x00FF00;
inline constexpr int32_t kWhite = 0xFFFFFF;

inline constexpr int kStatusPanelCount = 5;

}  // namespace vant
