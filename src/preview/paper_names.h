// The names the status bar gives the printer's paper size codes.
#pragma once

#include <array>
#include <cstdint>

#include "common/text.h"

namespace vant {

struct PaperName {
  int16_t code;
  TextView name;
};

inline constexpr std::array<PaperName, 42> kPaperNames{{
    {1, u"レター、8 1/2 x 11 インチ"},
    {2, u"+A611 レター スモール、8 1/2 x 11 インチ"},
    {3, u"タブロイド、11 x 17 インチ"},
    {4, u"レジャー、17 x 11 インチ"},
    {5, u"リーガル、8 1/2 x 14 インチ"},
    {6, u"ステートメント、5 1/2 x 8 1/2 インチ"},
    {7, u"エグゼクティブ、7 1/2 x 10 1/2 インチ"},
    {8, u"A3、297 x 420 mm"},
    {9, u"A4、210 x 297 mm"},
    {10, u"A4 Small、210 x 297 mm"},
    {11, u"A5、148 x 210 mm"},
    {12, u"B4、250 x 354 mm"},
    {13, u"B5、182 x 257 mm"},
    {14, u"フォリオ、8 1/2 x 13 インチ"},
    {15, u"クォート、215 x 275 mm"},
    {16, u"10 x 14 インチ"},
    {17, u"11 x 17 インチ"},
    {18, u"ノート、8 1/2 x 11 インチ"},
    {19, u"封筒 #9、3 7/8 x 8 7/8 インチ"},
    {20, u"封筒 #10、4 1/8 x 9 1/2 インチ"},
    {21, u"封筒 #11、4 1/2 x 10 3/8 インチ"},
    {22, u"封筒 #12、4 1/2 x 11 インチ"},
    {23, u"封筒 #14、5 x 11 1/2 インチ"},
    {24, u"C サイズ シート"},
    {25, u"D サイズ シート"},
    {26, u"E サイズ シート"},
    {27, u"封筒 DL、110 x 220 mm"},
    {28, u"封筒 C5、162 x 229 mm"},
    {29, u"封筒 C3、324 x 458 mm"},
    {30, u"封筒 C4、229 x 324 mm"},
    {31, u"封筒 C6、114 x 162 mm"},
    {32, u"封筒 C65、114 x 229 mm"},
    {33, u"封筒 B4、250 x 353 mm"},
    {34, u"封筒 B5、176 x 250 mm"},
    {35, u"封筒 B6、176 x 125 mm"},
    {36, u"封筒、110 x 230 mm"},
    {37, u"封筒 Monarch、3 7/8 x 7 1/2 インチ"},
    {38, u"封筒、3 5/8 x 6 1/2 インチ"},
    {39, u"U.S. スタンダード ファンフォールド、14 7/8 x 11 インチ"},
    {40, u"ドイツ スタンダード ファンフォールド、8 1/2 x 12 インチ"},
    {41, u"ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ"},
    {256, u"ユーザー定義のサイズ"},
}};

// Codes 1 to 41 stand at positions 0 to 40, the user-defined size last.
constexpr bool PaperNamesInCodeOrder() {
  for (size_t i = 0; i + 1 < kPaperNames.size(); ++i) {
    if (kPaperNames[i].code != static_cast<int16_t>(i + 1)) return false;
  }
  return kPaperNames.back().code == 256;
}
static_assert(PaperNamesInCodeOrder(), "paper names are listed by code, 1 to 41 then 256");

// The name of a paper size code; empty for a code that is not in the table.
TextView PaperNameFor(int16_t code);

}  // namespace vant
