#include "symbols/symbol_commands.h"

#include <memory>
#include <variant>

#include "common/numbers.h"
#include "engine/preview_convert.h"
#include "symbols/customer_barcode.h"
#include "symbols/symbol_data.h"
#include "symbols/symbol_messages.h"
#include "symbols/symbol_painting.h"

namespace vant {
namespace {

inline constexpr double kLeastCustomerPoints = 8;
inline constexpr double kMostCustomerPoints = 11.5;
inline constexpr float kScratchRestSize = 10;  // pixels, as the barcodes leave it

// The largest symbols an encoder may hand back: a QR Code of version 40, and a linear
// symbol far wider than any data the core lets through.
inline constexpr int32_t kLargestQr = 177;
inline constexpr int32_t kSmallestQr = 21;
inline constexpr int32_t kWidestLinear = 20000;

SymbolModules Refused(Text message) {
  SymbolModules refused;
  refused.refusal = std::move(message);
  return refused;
}

// What the library handed back, checked before anything is painted from it.
bool WellFormed(const SymbolRow& row, const SymbolModules& s) {
  if (s.rows < 1 || s.columns < 1) return false;
  if (s.dark.size() != static_cast<size_t>(s.rows) * static_cast<size_t>(s.columns)) return false;
  for (uint8_t d : s.dark) {
    if (d > 1) return false;
  }
  if (row.shape == SymbolShape::kMatrix) {
    return s.rows == s.columns && s.rows >= kSmallestQr && s.rows <= kLargestQr && (s.rows - kSmallestQr) % 4 == 0;
  }
  // A linear symbol begins and ends with a bar.
  return s.rows == 1 && s.columns <= kWidestLinear && s.dark.front() == 1 && s.dark.back() == 1;
}

SymbolModules EncodeCustomerSymbol(const SymbolValues& values) {
  if (!(values.points >= kLeastCustomerPoints && values.points <= kMostCustomerPoints)) {
    return Refused(Text(kCustomerPointsMessage));
  }
  auto encoded = EncodeCustomer(values.data);
  if (auto* refusal = std::get_if<Text>(&encoded)) return Refused(std::move(*refusal));
  const CustomerBars& bars = std::get<CustomerBars>(encoded);
  SymbolModules s;
  s.rows = 1;
  s.columns = static_cast<int32_t>(bars.bars.size());
  for (char16_t kind : bars.bars) s.dark.push_back(static_cast<uint8_t>(kind - u'0'));
  return s;
}

}  // namespace

SymbolValues ReadSymbolValues(SymbolCommand command, const MethodRec& method) {
  const auto& f = method.field;
  SymbolValues v;
  v.shape = RowOf(command).shape;
  v.quietModules = RowOf(command).quietModules;
  v.x = ToSingle(NumberFromText(f[1]));
  v.y = ToSingle(NumberFromText(f[2]));
  v.data = f[3];
  switch (RowOf(command).shape) {
    case SymbolShape::kMatrix:
      v.width = WholeFromText16(f[4]);
      v.level = f[5];
      break;
    case SymbolShape::kLinear:
      v.width = WholeFromText16(f[4]);
      v.height = WholeFromText16(f[5]);
      v.showText = FlagFromText(f[6]);
      break;
    case SymbolShape::kPostal:
      v.points = f[4].empty() ? kCustomerBasePoints : NumberFromText(f[4]);
      break;
  }
  return v;
}

SymbolModules EncodeSymbol(SymbolCommand command, const SymbolValues& values, const SymbolEncoder* symbols) {
  const SymbolRow& row = RowOf(command);
  if (row.shape == SymbolShape::kPostal) return EncodeCustomerSymbol(values);
  std::optional<QrLevel> level = QrLevel::kM;
  if (row.shape == SymbolShape::kMatrix) {
    level = QrLevelFrom(values.level);
    if (!level) return Refused(Text(kQrLevelMessage) + values.level);
  }
  PreparedData prepared = PrepareData(row.encoded, values.data);
  if (!prepared.refusal.empty()) return Refused(std::move(prepared.refusal));
  if (symbols == nullptr) return Refused(Text(kNoEncoderMessage));
  SymbolModules s = symbols->Encode(row.encoded, prepared.data, *level);
  if (s.Refused()) return Refused(s.refusal.empty() ? Text(kEncoderFaultMessage) : std::move(s.refusal));
  if (!WellFormed(row, s)) return Refused(Text(kEncoderFaultMessage));
  s.text = std::move(prepared.text);
  return s;
}

std::optional<Text> DrawSymbolCommand(SymbolCommand command, DrawTarget& target, const SymbolValues& values,
                                      const SymbolEncoder* symbols) {
  const SymbolModules modules = EncodeSymbol(command, values, symbols);
  if (modules.Refused()) return modules.refusal;
  return PaintSymbol(RowOf(command), target, values, modules, 0);
}

SymbolValues RecordSymbol(SymbolCommand command, const Printer& printer, DrawTarget& picture, PageRec& page,
                          const SymbolValues& values, const SymbolEncoder* symbols) {
  SymbolValues mark = values;
  mark.x = SingleAsWritten(PreviewX(printer, picture, values.x));
  mark.y = SingleAsWritten(PreviewY(printer, picture, values.y));
  // As the barcodes: the picture converts the sizes straight from the printer's unit.
  const int16_t unit = printer.ScaleMode();
  mark.width = WholeInt16(ToSingle(picture.ScaleX(values.width, unit, kScalePixels)) * kPreviewScale);
  mark.height = WholeInt16(ToSingle(picture.ScaleY(values.height, unit, kScalePixels)) * kPreviewScale);
  mark.previewPixelsPerMm = picture.ScaleX(1, kScaleMillimeters, kScalePixels) * kPreviewScale;
  MarkPageShown(picture, page, mark.x, mark.y);
  mark.recorded = std::make_shared<const SymbolModules>(EncodeSymbol(command, values, symbols));
  return mark;
}

void ReplaySymbolCommand(SymbolCommand command, const SymbolValues& mark, const ReplaySurfaces& surfaces) {
  if (mark.recorded == nullptr || mark.recorded->Refused()) return;
  const SymbolRow& row = RowOf(command);
  // Painted at printer resolution on the scratch box, then shrunk onto the page at the size
  // it has on paper.
  PictureBox& scratch = surfaces.scratch;
  const float fx = surfaces.page.printerPixelFactorX, fy = surfaces.page.printerPixelFactorY;
  if (!(fx > 0 && fy > 0)) return;
  scratch.Cls();
  SymbolValues scaled = mark;
  scaled.x = 0;
  scaled.y = 0;
  scaled.width = WholeInt16(static_cast<float>(mark.width) * fx);
  scaled.height = WholeInt16(static_cast<float>(mark.height) * fy);
  // The customer barcode's sizes in printer pixels: preview pixels per millimetre times
  // printer pixels per preview pixel.
  const bool painted =
      !PaintSymbol(row, scratch, scaled, *mark.recorded, mark.previewPixelsPerMm * static_cast<double>(fx)).has_value();
  if (painted) {
    const float sw = scratch.ScaleWidth(), sh = scratch.ScaleHeight();
    surfaces.picture.StretchCopy(WholeInt32(mark.x), WholeInt32(mark.y), WholeInt32(sw / fx), WholeInt32(sh / fy),
                                 scratch, 0, 0, WholeInt32(sw), WholeInt32(sh));
  }
  scratch.SetWidth(kScratchRestSize);
  scratch.SetHeight(kScratchRestSize);
}

}  // namespace vant
