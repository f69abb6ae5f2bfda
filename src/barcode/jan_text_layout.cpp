#include "barcode/jan_text_layout.h"

#include <array>

#include "barcode/font_fitting.h"
#include "barcode/module_string.h"
#include "common/numbers.h"

namespace vant {

// Module numbers from 1, both ends included.
struct GuardRange {
  size_t first;
  size_t last;
};

// Characters start.. (from 1) printed at the symbol's left edge, or moduleOffset modules
// after the left quiet zone.
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

namespace {

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

// The guards are the edge guards (3 modules) and the centre guard (5) around the halves.
constexpr bool GuardsFrameHalves(const JanTextLayout& t) {
  const auto half = static_cast<size_t>(t.fitModules);
  return t.guards[0].first == 1 && t.guards[0].last == 3 &&
         t.guards[1].first == 3 + half + 1 && t.guards[1].last == 3 + half + 5 &&
         t.guards[2].first == 3 + 2 * half + 5 + 1 && t.guards[2].last == t.symbolModules &&
         t.guards[2].last - t.guards[2].first == 2;
}

// Each half's digits start after the guard before it.
constexpr bool GroupsStartAfterGuards(const JanTextLayout& t) {
  const size_t last = t.groupCount - 1;
  return t.groups[last - 1].moduleOffset == 3 &&
         static_cast<size_t>(t.groups[last].moduleOffset) == t.guards[1].last;
}

static_assert(GuardsFrameHalves(kJan13Text) && kJan13Text.fitModules == 6 * 7);
static_assert(GuardsFrameHalves(kJan8Text) && kJan8Text.fitModules == 4 * 7);
static_assert(GroupsStartAfterGuards(kJan13Text) && GroupsStartAfterGuards(kJan8Text));
static_assert(kJan13Text.groups[1].moduleOffset == 3 && kJan13Text.groups[2].moduleOffset == 50);
static_assert(kJan8Text.groups[1].moduleOffset == 36);

}  // namespace

const JanTextLayout* JanLayoutFor(int16_t layout) {
  if (layout == kTextJan13) return &kJan13Text;
  if (layout == kTextJan8) return &kJan8Text;
  return nullptr;
}

bool IsGuardModule(const JanTextLayout* layout, size_t module) {
  if (layout == nullptr) return false;
  for (const GuardRange& r : layout->guards) {
    if (module >= r.first && module <= r.last) return true;
  }
  return false;
}

int32_t LayOutJanText(DrawTarget& target, PictureBox* box, const JanTextLayout& layout,
                      TextView text, const BarGeometry& g) {
  const int16_t fitWidth = Product16(layout.fitModules, g.m);
  const int tooWide =
      FirstTooWideSize(target, Mid(text, layout.fitStart, layout.fitLength), fitWidth);
  target.SetFontSize(tooWide == 0 ? kLargestFittedSize : (tooWide < 3 ? 1 : tooWide - 2));

  const TextView measured = Mid(text, layout.heightStart, layout.heightLength);
  const int32_t extension = WholeInt32(static_cast<double>(target.TextHeight(measured)) / 2);
  GrowHeight(box, WholeInt32(static_cast<double>(g.barHeight) + g.y + 2.0 * extension));

  const float textTop = g.y + static_cast<float>(g.barHeight);
  for (size_t i = 0; i < layout.groupCount; ++i) {
    const TextGroup& group = layout.groups[i];
    float x = g.x;
    if (group.underBars) x += static_cast<float>(Product16(g.leftQuiet + group.moduleOffset, g.m));
    PrintAt(target, x, textTop, Mid(text, group.start, group.length));
  }
  return extension;
}

}  // namespace vant
