#include "barcode/barcode_fields.h"

#include <array>
#include <cmath>

#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/jan8.h"
#include "barcode/nw7.h"
#include "common/failure.h"
#include "common/numbers.h"

namespace vant {
namespace {

struct SymbologyCommand {
  Symbology symbology;
  TextView command;
  bool checkCharacter;
};

inline constexpr std::array<SymbologyCommand, 4> kCommands = {{
    {Symbology::kJan13, u"prnjan13", false},
    {Symbology::kJan8, u"prnjan8", false},
    {Symbology::kNw7, u"prnnw7", true},
    {Symbology::kCode39, u"prncode39", true},
}};

constexpr bool InEnumOrder() {
  for (size_t i = 0; i < kCommands.size(); ++i) {
    if (static_cast<size_t>(kCommands[i].symbology) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "kCommands is indexed by Symbology");

const SymbologyCommand& Entry(Symbology symbology) {
  return kCommands[static_cast<size_t>(symbology)];
}

// The decimal text of a JAN datum; a number beyond the double range is an overflow.
Text JanDataText(TextView field) {
  const double number = NumberFromText(field);
  if (!std::isfinite(number)) throw Failure::Overflow();
  return DoubleText(number);
}

}  // namespace

std::optional<Symbology> SymbologyOf(TextView command) {
  for (const SymbologyCommand& c : kCommands) {
    if (c.command == command) return c.symbology;
  }
  return std::nullopt;
}

TextView CommandOf(Symbology symbology) { return Entry(symbology).command; }

bool HasCheckCharacter(Symbology symbology) { return Entry(symbology).checkCharacter; }

BarcodeFields ReadBarcodeFields(Symbology symbology, const MethodRec& method) {
  const auto& f = method.field;
  BarcodeFields fields;
  fields.x = ToSingle(NumberFromText(f[1]));
  fields.y = ToSingle(NumberFromText(f[2]));
  // A JAN datum is a number: leading zeros are lost and a field without one becomes 0.
  fields.data = HasCheckCharacter(symbology) ? f[3] : JanDataText(f[3]);
  fields.width = WholeFromText16(f[4]);
  fields.height = WholeFromText16(f[5]);
  fields.showText = FlagFromText(f[6]);
  fields.check = HasCheckCharacter(symbology) && LowerCase(f[7]) != u"false";
  return fields;
}

bool DrawSymbol(Symbology symbology, DrawTarget& target, const BarcodeFields& fields) {
  const auto& a = fields;
  switch (symbology) {
    case Symbology::kJan13:
      return DrawJan13(target, a.x, a.y, a.data, a.width, a.height, a.showText);
    case Symbology::kJan8:
      return DrawJan8(target, a.x, a.y, a.data, a.width, a.height, a.showText);
    case Symbology::kNw7:
      return DrawNw7(target, a.x, a.y, a.data, a.width, a.height, a.showText, a.check);
    case Symbology::kCode39:
      return DrawCode39(target, a.x, a.y, a.data, a.width, a.height, a.showText, a.check);
  }
  throw Failure::NotSupported();
}

}  // namespace vant
