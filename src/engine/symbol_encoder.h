// The encoders of the symbols the core does not encode itself (QR Code, GS1-128, Code 128,
// Interleaved 2 of 5): a run is handed one in its Platform, and the Linux platform makes it
// from a symbol library (src/platform/symbols). The core checks the data before it asks
// and paints the modules it gets back on its own dot grid.
#pragma once

#include <cstdint>
#include <vector>

#include "common/text.h"

namespace vant {

enum class EncodedKind : uint8_t { kQr, kGs1_128, kCode128, kItf };

// QR Code error correction levels, lowest first.
enum class QrLevel : uint8_t { kL, kM, kQ, kH };

// A symbol as modules: rows x columns, row by row from the top-left; a linear symbol has one
// row. Nothing but the modules: no quiet zone.
struct SymbolModules {
  int32_t rows = 0;
  int32_t columns = 0;
  std::vector<uint8_t> dark;  // rows x columns: 1 for a dark module, 0 for a light one
  Text text;                  // the human-readable text of a linear symbol, as encoded
  Text refusal;               // why the data was refused (Japanese); modules empty then

  bool Refused() const { return rows == 0 || columns == 0; }
  bool Dark(int32_t row, int32_t column) const {
    return dark[static_cast<size_t>(row) * static_cast<size_t>(columns) + static_cast<size_t>(column)] != 0;
  }
};

class SymbolEncoder {
 public:
  virtual ~SymbolEncoder() = default;
  // data has passed the core's own checks of the kind (characters, lengths, check digits).
  // QR: the smallest version of model 2 at the level; Kanji mode for text Shift_JIS can hold.
  virtual SymbolModules Encode(EncodedKind kind, TextView data, QrLevel level) const = 0;
};

}  // namespace vant
