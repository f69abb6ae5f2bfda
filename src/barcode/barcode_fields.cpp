#include "barcode/barcode_fields.h"

#include <cmath>

#include "barcode/paint_bars.h"
#include "common/failure.h"
#include "common/numbers.h"

namespace vant {
namespace {

// The decimal text of a datum read as a number; a number beyond the double range is an
// overflow.
Text NumberDataText(TextView field) {
  const double number = NumberFromText(field);
  if (!std::isfinite(number)) throw Failure::Overflow();
  return DoubleText(number);
}

}  // namespace

BarcodeFields ReadBarcodeFields(Symbology symbology, const MethodRec& method) {
  const auto& f = method.field;
  BarcodeFields fields;
  fields.x = ToSingle(NumberFromText(f[1]));
  fields.y = ToSingle(NumberFromText(f[2]));
  fields.data = RowOf(symbology).data == DataReading::kAsNumber ? NumberDataText(f[3]) : f[3];
  fields.width = WholeFromText16(f[4]);
  fields.height = WholeFromText16(f[5]);
  fields.showText = FlagFromText(f[6]);
  fields.check = HasCheckCharacter(symbology) && !EqualsLowerCased(f[7], u"false");
  return fields;
}

std::optional<Text> DrawSymbol(Symbology symbology, DrawTarget& target, const BarcodeFields& fields) {
  const SymbologyRow& row = RowOf(symbology);
  EncodedSymbol symbol = row.encode(fields.data, fields.check);
  if (symbol.Refused()) return std::move(symbol.refusal);
  PaintBars(target, fields.x, fields.y, symbol.modules, kQuietModules, kQuietModules,
            fields.showText ? TextView(symbol.text) : TextView(), fields.width, fields.height, row.textLayout);
  return std::nullopt;
}

}  // namespace vant
