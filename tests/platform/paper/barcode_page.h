// The barcode page the paper tests print and preview: one symbol a band, each with the
// data zbar should read back and the zbar options that pick its symbology.
#pragma once

#include <string>
#include <vector>

namespace vant::test::paper {

struct BarcodeBand {
  std::string method;     // the method line
  double topMm = 0;       // the band's bars start here; the band is 28 mm tall
  std::string zbarOptions;
  std::string expected;   // what zbar reads: the data the encoder meant
  bool withText = true;   // the method's show-text flag
};

std::vector<BarcodeBand> BarcodeBands();
// The page: "scalemode,mm" and every band's method.
std::vector<std::string> BarcodePage();

inline constexpr double kBandLeftMm = 25.4;  // 600 device pixels at 600 dpi: a whole dot
inline constexpr double kBandWidthMm = 90;
inline constexpr double kBandHeightMm = 28;

}  // namespace vant::test::paper
