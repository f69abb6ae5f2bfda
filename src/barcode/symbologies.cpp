#include "barcode/symbologies.h"

#include <array>

#include "barcode/code39.h"
#include "barcode/jan13.h"
#include "barcode/jan8.h"
#include "barcode/nw7.h"

namespace vant {
namespace {

inline constexpr std::array<SymbologyRow, 4> kSymbologies = {{
    {Symbology::kJan13, DataReading::kAsNumber, false, &EncodeJan13, kTextJan13},
    {Symbology::kJan8, DataReading::kAsNumber, false, &EncodeJan8, kTextJan8},
    {Symbology::kNw7, DataReading::kAsWritten, true, &EncodeNw7, kTextCentred},
    {Symbology::kCode39, DataReading::kAsWritten, true, &EncodeCode39, kTextCentred},
}};

constexpr bool InEnumOrder() {
  for (size_t i = 0; i < kSymbologies.size(); ++i) {
    if (static_cast<size_t>(kSymbologies[i].symbology) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "kSymbologies is indexed by Symbology");

}  // namespace

const SymbologyRow& RowOf(Symbology symbology) { return kSymbologies[static_cast<size_t>(symbology)]; }

bool HasCheckCharacter(Symbology symbology) { return RowOf(symbology).checkCharacter; }

}  // namespace vant
