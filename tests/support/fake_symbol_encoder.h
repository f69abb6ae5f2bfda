// A symbol encoder for the core's tests: it keeps what it was asked and hands back the
// modules it was given, so that the tests see the core's checks and painting alone.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/symbol_encoder.h"

namespace vant::test {

class FakeSymbolEncoder final : public SymbolEncoder {
 public:
  struct Asked {
    EncodedKind kind;
    Text data;
    QrLevel level;
  };

  SymbolModules Encode(EncodedKind kind, TextView data, QrLevel level) const override {
    asked.push_back({kind, Text(data), level});
    return kind == EncodedKind::kQr ? matrix : bars;
  }

  mutable std::vector<Asked> asked;
  SymbolModules matrix;  // what a QR Code comes back as
  SymbolModules bars;    // what a linear symbol comes back as
};

// A 21 x 21 matrix: the three finder patterns and, elsewhere, dark where (row + column) % 3 == 0.
inline SymbolModules Version1Matrix() {
  SymbolModules s;
  s.rows = s.columns = 21;
  const auto finder = [](int r, int c) {
    const int d = std::max(std::abs(r - 3), std::abs(c - 3));
    return d != 2 && d <= 3;
  };
  for (int r = 0; r < 21; ++r) {
    for (int c = 0; c < 21; ++c) {
      bool dark = (r + c) % 3 == 0;
      if (r < 8 && c < 8) dark = finder(r, c);
      if (r < 8 && c >= 13) dark = finder(r, c - 14);
      if (r >= 13 && c < 8) dark = finder(r - 14, c);
      s.dark.push_back(dark ? 1 : 0);
    }
  }
  return s;
}

// Bars from a text of "1" and "0".
inline SymbolModules BarsOf(TextView modules) {
  SymbolModules s;
  s.rows = 1;
  s.columns = static_cast<int32_t>(modules.size());
  for (char16_t c : modules) s.dark.push_back(c == u'1' ? 1 : 0);
  return s;
}

// A fake whose answers are a version 1 matrix and a short run of bars.
inline FakeSymbolEncoder ReadyFakeEncoder() {
  FakeSymbolEncoder encoder;
  encoder.matrix = Version1Matrix();
  encoder.bars = BarsOf(u"11010010000100111001011");
  return encoder;
}

}  // namespace vant::test
