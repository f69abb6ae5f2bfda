#include "barcode_page.h"

namespace vant::test::paper {

std::vector<BarcodeBand> BarcodeBands() {
  const std::string ean13 = "-Sdisable -Sean13.enable";
  const std::string ean8 = "-Sdisable -Sean8.enable";
  const std::string codabar = "-Sdisable -Scodabar.enable";
  const std::string code39 = "-Sdisable -Scode39.enable";
  return {
      // 490123456789 completed with its check digit 4.
      {"prnjan13,25.4,10,490123456789,50,15,true", 10, ean13, "4901234567894"},
      // 4901234 and its check digit 7; without text.
      {"prnjan8,25.4,40,4901234,40,15,false", 40, ean8, "49012347", false},
      // Codabar: zbar reports the start and stop characters.
      {"prnnw7,25.4,70,a1234b,60,15,true,false", 70, codabar, "A1234B"},
      // With the modulo-16 check character 5 before the stop character.
      {"prnnw7,25.4,100,a1234b,60,15,false,true", 100, codabar, "A12345B", false},
      {"prncode39,25.4,130,abc,60,15,true,false", 130, code39, "ABC"},
      // zbar does not take the modulo-43 check character off: X arrives as data.
      {"prncode39,25.4,160,abc,60,15,false,true", 160, code39, "ABCX", false},
      // VANT-3 with its check character 3.
      {"prncode39,25.4,190,vant-3,70,15,true,true", 190, code39, "VANT-33"},
  };
}

std::vector<std::string> BarcodePage() {
  std::vector<std::string> page = {"scalemode,mm"};
  for (const auto& band : BarcodeBands()) page.push_back(band.method);
  return page;
}

}  // namespace vant::test::paper
