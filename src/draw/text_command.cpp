#include "draw/text_command.h"

#include "common/failure.h"
#include "common/numbers.h"
#include "draw/argument_fields.h"
#include "draw/fit_font_size.h"
#include "draw/skip_refused.h"
#include "engine/preview_convert.h"

namespace vant {

TextArgs ReadTextArgs(const MethodRec& m) {
  TextArgs a;
  a.x = NumberField(m.field[1]);
  a.y = NumberField(m.field[2]);
  a.text = m.field[3];
  a.fontName = m.field[4];
  a.fontSize = SizeField(m.field[5]);
  a.italic = FlagField(m.field[6]);
  a.bold = FlagField(m.field[7]);
  a.colour = ColourField(m.field[8]);
  return a;
}

void DrawText(DrawTarget& target, const TextArgs& a) {
  SkipRefused([&] { target.SetFontName(a.fontName); });
  SkipRefused([&] { target.SetFontSize(a.fontSize); });
  SkipRefused([&] { target.SetFontItalic(a.italic); });
  SkipRefused([&] { target.SetFontBold(a.bold); });
  SkipRefused([&] { target.SetForeColor(a.colour); });
  SkipRefused([&] { target.SetCurrentX(a.x); });
  SkipRefused([&] { target.SetCurrentY(a.y); });
  SkipRefused([&] { target.Print(a.text); });
}

TextMark RecordText(const Printer& printer, DrawTarget& picture, PageRec& page, const TextArgs& a) {
  const float x = PreviewX(printer, picture, a.x);
  const float y = PreviewY(printer, picture, a.y);
  const double fitted = FitPreviewFontSize(picture, a.text, a.fontSize);
  MarkPageShown(picture, page, x, y);
  return TextMark{SingleAsWritten(x), SingleAsWritten(y), Text(a.text), Text(a.fontName),
                  DoubleAsWritten(fitted), a.italic, a.bold, a.colour};
}

void ReplayText(DrawTarget& picture, const TextMark& mark) {
  DrawText(picture, TextArgs{mark.x, mark.y, mark.text, mark.fontName, mark.fontSize, mark.italic,
                             mark.bold, mark.colour});
}

}  // namespace vant
