#include "draw/shape_commands.h"

#include <algorithm>
#include <array>

#include "draw/argument_fields.h"
#include "draw/skip_refused.h"
#include "engine/preview_convert.h"

namespace vant {
namespace {

struct StyleName {
  std::u16string_view name;
  std::u16string_view digit;
};
// Row r is DrawStyle r; the name is tested before the digit of the same row.
constexpr std::array<StyleName, 7> kLineStyles = {{
    {u"solid", u"0"},
    {u"dash", u"1"},
    {u"dot", u"2"},
    {u"dashdot", u"3"},
    {u"dashdotdot", u"4"},
    {u"invisible", u"5"},
    {u"insidesolid", u"6"},
}};
static_assert(kLineStyles.size() == kStyleInsideSolid + 1);

void ApplyPen(DrawTarget& target, int16_t width, int16_t style) {
  SkipRefused([&] { target.SetDrawWidth(width); });
  SkipRefused([&] { target.SetDrawStyle(style); });
}

void DrawBoxOrLine(DrawTarget& target, const BoxArgs& a, LineKind kind) {
  ApplyPen(target, a.lineWidth, a.lineStyle);
  SkipRefused([&] { target.SetForeColor(a.colour); });
  SkipRefused([&] { target.Line(a.x1, a.y1, a.x2, a.y2, a.colour, kind); });
}

}  // namespace

int16_t ParseLineStyle(TextView text) {
  for (size_t r = 0; r < kLineStyles.size(); ++r) {
    if (EqualsLowerCased(text, kLineStyles[r].name) || EqualsLowerCased(text, kLineStyles[r].digit)) {
      return static_cast<int16_t>(r);
    }
  }
  return kStyleSolid;
}

BoxArgs ReadBoxArgs(const MethodRec& m) {
  BoxArgs a;
  a.x1 = NumberField(m.field[1]);
  a.y1 = NumberField(m.field[2]);
  a.x2 = NumberField(m.field[3]);
  a.y2 = NumberField(m.field[4]);
  a.lineWidth = WholeField(m.field[5]);
  a.lineStyle = ParseLineStyle(m.field[6]);
  a.colour = ColourField(m.field[7]);
  return a;
}

CircleArgs ReadCircleArgs(const MethodRec& m) {
  CircleArgs a;
  a.x = NumberField(m.field[1]);
  a.y = NumberField(m.field[2]);
  a.radius = WholeField(m.field[3]);
  a.lineWidth = WholeField(m.field[4]);
  a.lineStyle = ParseLineStyle(m.field[5]);
  a.colour = ColourField(m.field[6]);
  return a;
}

void DrawBox(DrawTarget& target, const BoxArgs& args) { DrawBoxOrLine(target, args, LineKind::kBox); }
void DrawLine(DrawTarget& target, const BoxArgs& args) { DrawBoxOrLine(target, args, LineKind::kLine); }

void DrawCircle(DrawTarget& target, const CircleArgs& a) {
  ApplyPen(target, a.lineWidth, a.lineStyle);
  SkipRefused([&] { target.Circle(a.x, a.y, a.radius, a.colour); });
}

int16_t ScaleDrawWidth(int16_t lineWidth, const DrawTarget& picture, const Printer& printer) {
  const float picturePer2Mm = ToSingle(picture.ScaleX(2, kScaleMillimeters, kScalePixels));
  const float printerPerMm = ToSingle(printer.ScaleX(1, kScaleMillimeters, kScalePixels));
  const int16_t scaled = WholeInt16(static_cast<double>(picturePer2Mm / printerPerMm * lineWidth));
  return std::max<int16_t>(scaled, 1);
}

ShapeValues RecordShape(const Printer& printer, DrawTarget& picture, PageRec& page, const BoxArgs& a) {
  const float x1 = PreviewX(printer, picture, a.x1);
  const float y1 = PreviewY(printer, picture, a.y1);
  const float x2 = PreviewX(printer, picture, a.x2);
  const float y2 = PreviewY(printer, picture, a.y2);
  const int16_t width = ScaleDrawWidth(a.lineWidth, picture, printer);
  MarkPageShown(picture, page, x1, y1);
  return ShapeValues{SingleAsWritten(x1), SingleAsWritten(y1), SingleAsWritten(x2), SingleAsWritten(y2),
                     width, a.lineStyle, a.colour};
}

CircleValues RecordCircle(const Printer& printer, DrawTarget& picture, PageRec& page, const CircleArgs& a) {
  const float x = PreviewX(printer, picture, a.x);
  const float y = PreviewY(printer, picture, a.y);
  // Two whole-number steps: whole millimetres first, so half a millimetre or less is 0.
  const int16_t radiusMm = WholeInt16(printer.ScaleX(a.radius, printer.ScaleMode(), kScaleMillimeters));
  const int16_t radius = WholeInt16(picture.ScaleX(radiusMm, kScaleMillimeters, kScalePixels) * 2);
  const int16_t width = ScaleDrawWidth(a.lineWidth, picture, printer);
  MarkPageShown(picture, page, x, y);
  return CircleValues{SingleAsWritten(x), SingleAsWritten(y), radius, width, a.lineStyle, a.colour};
}

}  // namespace vant
