// The platform's paper size codes with their sheets, and the IPP (PWG) media names that
// stand for them on a print server.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vant {

struct PaperSheet {
  int16_t code;
  double widthMm;   // portrait
  double heightMm;  // portrait
  std::string_view media;  // PWG self-describing media name
};

inline constexpr double kInch = 25.4;  // millimetres

inline constexpr PaperSheet kPaperSheets[] = {
    {1, 8.5 * kInch, 11 * kInch, "na_letter_8.5x11in"},
    {2, 8.5 * kInch, 11 * kInch, "na_letter_8.5x11in"},
    {3, 11 * kInch, 17 * kInch, "na_ledger_11x17in"},
    {4, 11 * kInch, 17 * kInch, "na_ledger_11x17in"},  // ledger: the tabloid sheet turned
    {5, 8.5 * kInch, 14 * kInch, "na_legal_8.5x14in"},
    {6, 5.5 * kInch, 8.5 * kInch, "na_invoice_5.5x8.5in"},
    {7, 7.25 * kInch, 10.5 * kInch, "na_executive_7.25x10.5in"},
    {8, 297, 420, "iso_a3_297x420mm"},
    {9, 210, 297, "iso_a4_210x297mm"},
    {10, 210, 297, "iso_a4_210x297mm"},
    {11, 148, 210, "iso_a5_148x210mm"},
    {12, 250, 353, "iso_b4_250x353mm"},
    {13, 182, 257, "jis_b5_182x257mm"},
    {14, 8.5 * kInch, 13 * kInch, "na_foolscap_8.5x13in"},
    {15, 215, 275, "na_quarto_8.5x10.83in"},
    {16, 10 * kInch, 14 * kInch, "na_10x14_10x14in"},
    {17, 11 * kInch, 17 * kInch, "na_ledger_11x17in"},
    {18, 8.5 * kInch, 11 * kInch, "na_letter_8.5x11in"},
    {19, 3.875 * kInch, 8.875 * kInch, "na_number-9_3.875x8.875in"},
    {20, 4.125 * kInch, 9.5 * kInch, "na_number-10_4.125x9.5in"},
    {21, 4.5 * kInch, 10.375 * kInch, "na_number-11_4.5x10.375in"},
    {22, 4.75 * kInch, 11 * kInch, "na_number-12_4.75x11in"},
    {23, 5 * kInch, 11.5 * kInch, "na_number-14_5x11.5in"},
    {24, 17 * kInch, 22 * kInch, "na_c_17x22in"},
    {25, 22 * kInch, 34 * kInch, "na_d_22x34in"},
    {26, 34 * kInch, 44 * kInch, "na_e_34x44in"},
    {27, 110, 220, "iso_dl_110x220mm"},
    {28, 162, 229, "iso_c5_162x229mm"},
    {29, 324, 458, "iso_c3_324x458mm"},
    {30, 229, 324, "iso_c4_229x324mm"},
    {31, 114, 162, "iso_c6_114x162mm"},
    {32, 114, 229, "iso_c6c5_114x229mm"},
    {33, 250, 353, "iso_b4_250x353mm"},
    {34, 176, 250, "iso_b5_176x250mm"},
    {35, 125, 176, "iso_b6_125x176mm"},
    {36, 110, 230, "om_italian_110x230mm"},
    {37, 3.875 * kInch, 7.5 * kInch, "na_monarch_3.875x7.5in"},
    {38, 3.625 * kInch, 6.5 * kInch, "na_personal_3.625x6.5in"},
    {39, 11 * kInch, 14.875 * kInch, "na_fanfold-us_11x14.875in"},
    {40, 8.5 * kInch, 12 * kInch, "na_fanfold-eur_8.5x12in"},
    {41, 8.5 * kInch, 13 * kInch, "na_foolscap_8.5x13in"},
};
static_assert(std::size(kPaperSheets) == 41, "codes 1 to 41");

// Code 256, the user-defined size, has no sheet of its own: it keeps the current one.
inline constexpr int16_t kPaperUser = 256;

inline std::optional<PaperSheet> SheetForCode(int16_t code) {
  for (const auto& sheet : kPaperSheets) {
    if (sheet.code == code) return sheet;
  }
  return std::nullopt;
}

}  // namespace vant
