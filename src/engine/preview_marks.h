// What the preview records of a method that puts a mark on a page, like a recorded picture:
// the mark's values, converted to preview pixels while the preview is built, one type per
// kind of mark. The drawing commands read a method's fields into the same types, in the
// method's own unit, before they draw or convert them.
#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "common/text.h"
#include "engine/symbol_encoder.h"

namespace vant {

struct CommandRow;  // engine/command_table.h

// "prntextout" and "prntext": a text at its top-left corner, in a font. String is TextView
// while a method is read, Text when it is recorded.
template <class String>
struct TextValues {
  float x = 0;
  float y = 0;
  String text;
  String fontName;
  double fontSize = 0;  // points
  bool italic = false;
  bool bold = false;
  int32_t colour = 0;
};
using TextMark = TextValues<Text>;

// "prnbox" and "prnline": two points, the pen and its colour.
struct ShapeValues {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int16_t lineWidth = 0;  // device pixels of the target
  int16_t lineStyle = 0;  // DrawStyle 0..6
  int32_t colour = 0;
};

// "prncircle": the centre, the radius, the pen and its colour.
struct CircleValues {
  float x = 0, y = 0;
  int16_t radius = 0;
  int16_t lineWidth = 0;
  int16_t lineStyle = 0;
  int32_t colour = 0;
};

// The four barcodes: the corner, the data and the symbol's size.
struct BarcodeValues {
  float x = 0;
  float y = 0;
  Text data;          // JAN: the decimal text of the number in the method's field 3
  int16_t width = 0;
  int16_t height = 0;
  bool showText = false;
  bool check = true;  // NW-7 and Code 39: off only when field 7, lower-cased, is "false"
};

enum class SymbolShape : uint8_t {
  kMatrix,  // square modules, m x m dots; the corner and the side without the quiet zone
  kLinear,  // bars and spaces m dots wide, painted as the barcodes are
  kPostal,  // the customer barcode: bars of four kinds at Japan Post's pitch
};

// The symbols beyond the four barcodes ("prnqr", "prngs1128", "prncode128", "prnitf",
// "prncustomer"): the corner, the data and the size. Their data is encoded while the
// preview is built, and the page keeps the modules (or the refusal) to replay.
struct SymbolValues {
  SymbolShape shape = SymbolShape::kLinear;  // of the command, for those who judge the marks
  int16_t quietModules = 0;                  // each side
  float x = 0;
  float y = 0;
  Text data;
  int16_t width = 0;     // QR: the side without the quiet zone; linear: as for the barcodes
  int16_t height = 0;    // linear symbols' bars
  bool showText = false;
  Text level;            // QR: the error correction level's field as written
  double points = 10;    // customer barcode: its size in points, 8 to 11.5
  double previewPixelsPerMm = 0;  // recorded: the preview page's pixels per millimetre
  // Recorded: what the encoder made of data (a customer barcode's bars as the digits 1 to
  // 4 of their kinds).
  std::shared_ptr<const SymbolModules> recorded;
};

using MarkValues = std::variant<TextMark, ShapeValues, CircleValues, BarcodeValues, SymbolValues>;

// One recorded mark of a preview page: its values, and the command that recorded it, whose
// row in the command table says how the page replays it.
struct PreviewMark {
  const CommandRow* command;
  MarkValues values;
};

}  // namespace vant
