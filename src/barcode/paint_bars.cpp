#include "barcode/paint_bars.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "barcode/font_fitting.h"
#include "barcode/module_string.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "engine/picture_box.h"

namespace vant {
namespace {

// Module numbers from 1, both ends included.
struct GuardRange {
  size_t first;
  size_t last;
};

// A group of the JAN text: characters start.. (from 1) printed at the symbol's left edge,
// or moduleOffset modules after the left quiet zone.
struct TextGroup {
  size_t start;
  size_t length;
  bool underBars;
  int16_t moduleOffset;
};

struct JanTextLayout {
  size_t fitStart;       // the characters measured by the font fitting
  size_t fitLength;
  int16_t fitModules;    // ... against the width of this many modules
  size_t heightStart;    // the characters whose half height lengthens the guard bars
  size_t heightLength;
  std::array<TextGroup, 3> groups;
  size_t groupCount;
  std::array<GuardRange, 3> guards;
  size_t symbolModules;
};

inline constexpr size_t kRest = TextView::npos;

// JAN-13: the leading digit left of the bars, six digits under each half (6 x 7 modules).
inline constexpr JanTextLayout kJan13Text{
    7, 6, 42, 2, 6,
    {{{1, 1, false, 0}, {2, 6, true, 3}, {8, 6, true, 50}}}, 3,
    {{{1, 3}, {46, 50}, {93, 95}}}, 95};

// JAN-8: four digits under each half (4 x 7 modules), nothing left of the bars.
inline constexpr JanTextLayout kJan8Text{
    5, 4, 28, 4, kRest,
    {{{1, 4, true, 3}, {5, 4, true, 36}, {0, 0, false, 0}}}, 2,
    {{{1, 3}, {32, 36}, {65, 67}}}, 67};

// The guards are the edge guards (3 modules) and the centre guard (5) around the halves;
// each half's text starts after the guard before it.
constexpr bool GuardsFrameHalves(const JanTextLayout& t) {
  const size_t half = static_cast<size_t>(t.fitModules);
  return t.guards[0].first == 1 && t.guards[0].last == 3 &&
         t.guards[1].first == 3 + half + 1 && t.guards[1].last == 3 + half + 5 &&
         t.guards[2].first == 3 + 2 * half + 5 + 1 && t.guards[2].last == t.symbolModules &&
         t.guards[2].last - t.guards[2].first == 2;
}

static_assert(GuardsFrameHalves(kJan13Text) && kJan13Text.fitModules == 6 * 7);
static_assert(GuardsFrameHalves(kJan8Text) && kJan8Text.fitModules == 4 * 7);
static_assert(kJan13Text.groups[1].moduleOffset == 3 && kJan13Text.groups[2].moduleOffset == 50);
static_assert(kJan8Text.groups[1].moduleOffset == 3 + 28 + 5);

// Where the bars go, in device pixels of the target.
struct BarGeometry {
  float x;             // left edge of the left quiet zone
  float y;             // top of the bars
  int16_t leftQuiet;   // modules
  int16_t m;           // module width
  int32_t barHeight;
  int32_t guardExtension = 0;
};

// Mid$ of the platform: characters from start (from 1), at most length of them.
TextView Mid(TextView s, size_t start, size_t length) {
  if (start < 1 || start > s.size()) return {};
  return s.substr(start - 1, length);
}

int16_t Product16(long long a, long long b) {
  const long long p = a * b;
  if (p < -32768 || p > 32767) throw Failure::Overflow();
  return static_cast<int16_t>(p);
}

int32_t Product32(long long a, long long b) {
  const long long p = a * b;
  if (p < -2147483648LL || p > 2147483647LL) throw Failure::Overflow();
  return static_cast<int32_t>(p);
}

void GrowWidth(PictureBox* box, int32_t needed) {
  if (box != nullptr && box->ScaleWidth() < static_cast<float>(needed)) {
    box->SetWidth(box->Width() + static_cast<float>(needed) - box->ScaleWidth());
  }
}

void GrowHeight(PictureBox* box, int32_t needed) {
  if (box != nullptr && box->ScaleHeight() < static_cast<float>(needed)) {
    box->SetHeight(box->Height() + static_cast<float>(needed) - box->ScaleHeight());
  }
}

void PrintAt(DrawTarget& target, float x, float y, TextView text) {
  target.SetCurrentX(x);
  target.SetCurrentY(y);
  target.Print(text);
}

// Layouts 13 and 8: returns the guard extension, half the text height.
int32_t LayOutJanText(DrawTarget& target, PictureBox* box, const JanTextLayout& layout,
                      TextView text, const BarGeometry& g) {
  const int16_t fitWidth = Product16(layout.fitModules, g.m);
  const int tooWide =
      FirstTooWideSize(target, Mid(text, layout.fitStart, layout.fitLength), fitWidth);
  target.SetFontSize(tooWide == 0 ? kLargestFittedSize : (tooWide < 3 ? 1 : tooWide - 2));

  const int32_t extension = WholeInt32(
      static_cast<double>(target.TextHeight(Mid(text, layout.heightStart, layout.heightLength))) / 2);
  const float textTop = g.y + static_cast<float>(g.barHeight);
  GrowHeight(box, WholeInt32(static_cast<double>(g.barHeight) + g.y + 2.0 * extension));

  for (size_t i = 0; i < layout.groupCount; ++i) {
    const TextGroup& group = layout.groups[i];
    float x = g.x;
    if (group.underBars) {
      x += static_cast<float>(Product16(g.leftQuiet + group.moduleOffset, g.m));
    }
    PrintAt(target, x, textTop, Mid(text, group.start, group.length));
  }
  return extension;
}

// Layout 0: one line centred under the bars, at most 0.7 of their width.
void LayOutCentredText(DrawTarget& target, PictureBox* box, size_t moduleCount, TextView text,
                       const BarGeometry& g) {
  const int16_t barWidth = Product16(static_cast<long long>(moduleCount), g.m);
  const int tooWide = FirstTooWideSize(target, text, 0.7 * barWidth);
  target.SetFontSize(tooWide == 0 ? kLargestFittedSize : tooWide - 1);

  const int32_t textWidth = WholeInt32(target.TextWidth(text));
  GrowHeight(box, WholeInt32(static_cast<double>(static_cast<float>(g.barHeight) + g.y) +
                             static_cast<double>(target.TextHeight(text))));
  const double x = static_cast<double>(g.x) + (barWidth - textWidth) / 2.0 +
                   Product16(g.leftQuiet, g.m);
  PrintAt(target, static_cast<float>(x), g.y + static_cast<float>(g.barHeight), text);
}

bool IsGuard(const JanTextLayout* layout, size_t module) {
  if (layout == nullptr) return false;
  for (const GuardRange& r : layout->guards) {
    if (module >= r.first && module <= r.last) return true;
  }
  return false;
}

void PaintModules(DrawTarget& target, TextView modules, const JanTextLayout* layout,
                  const BarGeometry& g) {
  const float lastPixel = static_cast<float>(g.m - 1);
  target.SetCurrentX(g.x + static_cast<float>(Product16(g.leftQuiet, g.m)));
  for (size_t i = 0; i < modules.size(); ++i) {
    if (modules[i] == kBarModule) {
      const int32_t h = IsGuard(layout, i + 1) ? g.barHeight + g.guardExtension : g.barHeight;
      const float left = target.CurrentX();
      // Both corners are included, so the bar ends on its h-th row, just above the text;
      // the box leaves CurrentX at its right edge.
      target.Line(left, g.y, left + lastPixel, g.y + static_cast<float>(h - 1), 0,
                  LineKind::kFilledBox);
    } else {
      target.SetCurrentX(target.CurrentX() + lastPixel);
    }
    target.SetCurrentX(target.CurrentX() + 1);
  }
}

void PaintInPixels(DrawTarget& target, int16_t saved, float x, float y, TextView modules,
                   int16_t leftQuiet, int16_t rightQuiet, TextView text, int16_t width,
                   int16_t height, int16_t layout) {
  BarGeometry g{};
  g.x = ToSingle(target.ScaleX(x, saved, kScalePixels));
  g.y = ToSingle(target.ScaleY(y, saved, kScalePixels));
  const float wanted = ToSingle(target.ScaleX(width, saved, kScalePixels));
  const int32_t n = WholeInt32(static_cast<double>(modules.size()) + leftQuiet + rightQuiet);
  g.leftQuiet = leftQuiet;
  g.m = ModuleWidthFor(wanted, n);
  g.barHeight = std::max<int32_t>(1, WholeInt32(ToSingle(target.ScaleY(height, saved, kScalePixels))));

  auto* box = dynamic_cast<PictureBox*>(&target);
  GrowWidth(box, WholeInt32(static_cast<double>(g.x) + Product32(n, g.m)));

  const JanTextLayout* jan = layout == kTextJan13 ? &kJan13Text
                             : layout == kTextJan8 ? &kJan8Text
                                                   : nullptr;
  if (!text.empty()) {
    target.SetFontBold(false);
    if (jan != nullptr) {
      g.guardExtension = LayOutJanText(target, box, *jan, text, g);
    } else {
      LayOutCentredText(target, box, modules.size(), text, g);
    }
  }
  PaintModules(target, modules, jan, g);
}

}  // namespace

int16_t ModuleWidthFor(double wanted, int32_t n) {
  if (!(wanted > n)) return 1;
  const double estimate = std::ceil(wanted / n);
  if (estimate > 32767) throw Failure::Overflow();
  auto m = static_cast<long long>(estimate);
  // The quotient is rounded: settle on the smallest m with n x m >= wanted exactly.
  while (m > 1 && static_cast<double>(n) * static_cast<double>(m - 1) >= wanted) --m;
  while (static_cast<double>(n) * static_cast<double>(m) < wanted) ++m;
  if (m > 32767) throw Failure::Overflow();
  return static_cast<int16_t>(m);
}

void PaintBars(DrawTarget& target, float x, float y, TextView modules, int16_t leftQuiet,
               int16_t rightQuiet, TextView text, int16_t width, int16_t height, int16_t layout) {
  const int16_t savedMode = target.ScaleMode();
  const int16_t savedWidth = target.DrawWidth();
  const auto restore = [&] {
    target.SetScaleMode(savedMode);
    target.SetDrawWidth(savedWidth);
  };
  try {
    target.SetScaleMode(kScalePixels);
    target.SetDrawWidth(1);
    PaintInPixels(target, savedMode, x, y, modules, leftQuiet, rightQuiet, text, width, height,
                  layout);
  } catch (...) {
    // A failed painting goes to the caller, but the target keeps its unit and pen.
    restore();
    throw;
  }
  restore();
}

}  // namespace vant
