#include "barcode/barcode_commands.h"

#include "common/numbers.h"
#include "engine/preview_convert.h"

namespace vant {
namespace {

// The size of the scratch box between barcodes, pixels.
inline constexpr float kScratchRestSize = 10;

}  // namespace

BarcodeFields RecordBarcode(const Printer& printer, DrawTarget& picture, PageRec& page,
                            const BarcodeFields& fields) {
  const float x = PreviewX(printer, picture, fields.x);
  const float y = PreviewY(printer, picture, fields.y);
  // The picture converts the size straight from the printer's unit, not through millimetres.
  const int16_t unit = printer.ScaleMode();
  const int16_t width =
      WholeInt16(ToSingle(picture.ScaleX(fields.width, unit, kScalePixels)) * kPreviewScale);
  const int16_t height =
      WholeInt16(ToSingle(picture.ScaleY(fields.height, unit, kScalePixels)) * kPreviewScale);
  MarkPageShown(picture, page, x, y);
  return BarcodeFields{SingleAsWritten(x), SingleAsWritten(y), fields.data, width, height,
                       fields.showText, fields.check};
}

void RenderBarcode(Symbology symbology, const BarcodeFields& fields, const PageRec& page,
                   PictureBox& picture, PictureBox& scratch) {
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
