#include "barcode/barcode_commands.h"

#include "barcode/barcode_fields.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "engine/preview_convert.h"

namespace vant {
namespace {

// The size of the scratch box between barcodes, pixels.
inline constexpr float kScratchRestSize = 10;

Symbology SymbologyOrFail(TextView command) {
  const auto symbology = SymbologyOf(command);
  if (!symbology) throw Failure::NotSupported();
  return *symbology;
}

Text FlagText(bool flag) { return flag ? u"True" : u"False"; }

}  // namespace

bool IsBarcodeCommand(TextView command) { return SymbologyOf(command).has_value(); }

std::optional<Text> PrintBarcode(TextView command, const MethodRec& method, DrawTarget& printer) {
  const Symbology symbology = SymbologyOrFail(command);
  return DrawSymbol(symbology, printer, ReadBarcodeFields(symbology, method));
}

void RecordBarcode(TextView command, const MethodRec& method, const Printer& printer,
                   DrawTarget& picture, PageRec& page) {
  const Symbology symbology = SymbologyOrFail(command);
  const BarcodeFields fields = ReadBarcodeFields(symbology, method);
  const float x = PreviewX(printer, picture, fields.x);
  const float y = PreviewY(printer, picture, fields.y);
  // The picture converts the size straight from the printer's unit, not through millimetres.
  const int16_t unit = printer.ScaleMode();
  const int16_t width =
      WholeInt16(ToSingle(picture.ScaleX(fields.width, unit, kScalePixels)) * kPreviewScale);
  const int16_t height =
      WholeInt16(ToSingle(picture.ScaleY(fields.height, unit, kScalePixels)) * kPreviewScale);
  MarkPageShown(picture, page, x, y);

  MethodRec copy;
  copy.field[0] = Text(CommandOf(symbology));
  copy.field[1] = SingleText(x);
  copy.field[2] = SingleText(y);
  copy.field[3] = fields.data;
  copy.field[4] = DecimalText(width);
  copy.field[5] = DecimalText(height);
  copy.field[6] = FlagText(fields.showText);
  if (HasCheckCharacter(symbology)) copy.field[7] = FlagText(fields.check);
  AppendPreviewCopy(page, std::move(copy));
}

void RenderBarcode(TextView command, const MethodRec& copy, const PageRec& page,
                   PictureBox& picture, PictureBox& scratch) {
  const Symbology symbology = SymbologyOrFail(command);
  BarcodeFields fields = ReadBarcodeFields(symbology, copy);
  const int16_t width = fields.width;
  scratch.Cls();

  // Painted at printer resolution on the scratch box, then shrunk onto the page.
  BarcodeFields scaled = fields;
  scaled.x = 0;
  scaled.y = 0;
  scaled.width = WholeInt16(static_cast<float>(width) * page.printerPixelFactorX);
  scaled.height = WholeInt16(static_cast<float>(fields.height) * page.printerPixelFactorY);
  // Refused data leaves the cleared box: a blank area and no message.
  (void)DrawSymbol(symbology, scratch, scaled);

  const float sourceWidth = scratch.ScaleWidth();
  const float sourceHeight = scratch.ScaleHeight();
  // The whole scratch box, blank margins included, keeping its aspect ratio.
  const int32_t destinationHeight =
      WholeInt32(sourceHeight * (static_cast<float>(width) / sourceWidth));
  picture.StretchCopy(WholeInt32(fields.x), WholeInt32(fields.y), width, destinationHeight,
                      scratch, 0, 0, WholeInt32(sourceWidth), WholeInt32(sourceHeight));

  scratch.SetWidth(kScratchRestSize);
  scratch.SetHeight(kScratchRestSize);
}

}  // namespace vant
