// The paper size codes, one row per paper: the keywords of the "papersize" command, the
// sheet, the print server's media name, the name a printer's refusal gives it and the name
// the preview's status bar shows. Everything that knows a paper reads it from here.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/text.h"

namespace vant {

struct PaperSheet {
  int16_t code;
  // The "papersize" argument's forms (lower case): the "vb" name, the same without "vb",
  // the number of the row in the original list (not always the code: C3, C4 and C5),
  // sometimes a short form. Unused forms are empty.
  std::array<std::u16string_view, 4> keywords;
  double widthMm;   // the sheet in portrait orientation, as its name gives it: wider than
  double heightMm;  // high for ledger, envelope B6 and US fanfold
  std::string_view media;  // PWG self-describing media name, smaller side first
  TextView choiceName;     // in a printer's refusal of the code
  TextView displayName;    // in the preview's status bar
};

inline constexpr double kInch = 25.4;  // millimetres

// Code 256, the user-defined size, has no sheet of its own: it keeps the current one.
inline constexpr int16_t kPaperUser = 256;

// Codes 1 to 41 in order, then the user-defined size.
inline constexpr PaperSheet kPapers[] = {
    {1, {u"vbprpsletter", u"prpsletter", u"1"}, 8.5 * kInch, 11 * kInch, "na_letter_8.5x11in",
     u"Letter", u"レター、8 1/2 x 11 インチ"},
    {2, {u"vbprpslettersmall", u"prpslettersmall", u"2"}, 8.5 * kInch, 11 * kInch, "na_letter_8.5x11in",
     u"Letter Small", u"+A611 レター スモール、8 1/2 x 11 インチ"},
    {3, {u"vbprpstabloid", u"prpstabloid", u"3"}, 11 * kInch, 17 * kInch, "na_ledger_11x17in",
     u"Tabloid", u"タブロイド、11 x 17 インチ"},
    {4, {u"vbprpsledger", u"prpsledger", u"4"}, 17 * kInch, 11 * kInch, "na_ledger_11x17in",
     u"Ledger", u"レジャー、17 x 11 インチ"},
    {5, {u"vbprpslegal", u"prpslegal", u"5"}, 8.5 * kInch, 14 * kInch, "na_legal_8.5x14in",
     u"Legal", u"リーガル、8 1/2 x 14 インチ"},
    {6, {u"vbprpsstatement", u"prpsstatement", u"6"}, 5.5 * kInch, 8.5 * kInch, "na_invoice_5.5x8.5in",
     u"Statement", u"ステートメント、5 1/2 x 8 1/2 インチ"},
    {7, {u"vbprpsexecutive", u"prpsexecutive", u"7"}, 7.25 * kInch, 10.5 * kInch, "na_executive_7.25x10.5in",
     u"Executive", u"エグゼクティブ、7 1/2 x 10 1/2 インチ"},
    {8, {u"a3", u"vbprpsa3", u"prpsa3", u"8"}, 297, 420, "iso_a3_297x420mm",
     u"A3", u"A3、297 x 420 mm"},
    {9, {u"a4", u"vbprpsa4", u"prpsa4", u"9"}, 210, 297, "iso_a4_210x297mm",
     u"A4", u"A4、210 x 297 mm"},
    {10, {u"a4s", u"vbprpsa4small", u"prpsa4small", u"10"}, 210, 297, "iso_a4_210x297mm",
     u"A4 Small", u"A4 Small、210 x 297 mm"},
    {11, {u"a5", u"vbprpsa5", u"prpsa5", u"11"}, 148, 210, "iso_a5_148x210mm",
     u"A5", u"A5、148 x 210 mm"},
    {12, {u"b4", u"vbprpsb4", u"prpsb4", u"12"}, 250, 353, "iso_b4_250x353mm",
     u"B4", u"B4、250 x 354 mm"},
    {13, {u"b5", u"vbprpsb5", u"prpsb5", u"13"}, 182, 257, "jis_b5_182x257mm",
     u"B5", u"B5、182 x 257 mm"},
    {14, {u"vbprpsfolio", u"prpsfolio", u"14"}, 8.5 * kInch, 13 * kInch, "na_foolscap_8.5x13in",
     u"Folio", u"フォリオ、8 1/2 x 13 インチ"},
    {15, {u"vbprpsquarto", u"prpsquarto", u"15"}, 215, 275, "na_quarto_8.5x10.83in",
     u"Quarto", u"クォート、215 x 275 mm"},
    {16, {u"vbprps10x14", u"prps10x14", u"16"}, 10 * kInch, 14 * kInch, "na_10x14_10x14in",
     u"10x14", u"10 x 14 インチ"},
    {17, {u"vbprps11x17", u"prps11x17", u"17"}, 11 * kInch, 17 * kInch, "na_ledger_11x17in",
     u"11x17", u"11 x 17 インチ"},
    {18, {u"vbprpsnote", u"prpsnote", u"18"}, 8.5 * kInch, 11 * kInch, "na_letter_8.5x11in",
     u"Note", u"ノート、8 1/2 x 11 インチ"},
    {19, {u"vbprpsenv9", u"prpsenv9", u"19"}, 3.875 * kInch, 8.875 * kInch, "na_number-9_3.875x8.875in",
     u"封筒 #9", u"封筒 #9、3 7/8 x 8 7/8 インチ"},
    {20, {u"vbprpsenv10", u"prpsenv10", u"20"}, 4.125 * kInch, 9.5 * kInch, "na_number-10_4.125x9.5in",
     u"封筒 #10", u"封筒 #10、4 1/8 x 9 1/2 インチ"},
    {21, {u"vbprpsenv11", u"prpsenv11", u"21"}, 4.5 * kInch, 10.375 * kInch, "na_number-11_4.5x10.375in",
     u"封筒 #11", u"封筒 #11、4 1/2 x 10 3/8 インチ"},
    {22, {u"vbprpsenv12", u"prpsenv12", u"22"}, 4.75 * kInch, 11 * kInch, "na_number-12_4.75x11in",
     u"封筒 #12", u"封筒 #12、4 1/2 x 11 インチ"},
    {23, {u"vbprpsenv14", u"prpsenv14", u"23"}, 5 * kInch, 11.5 * kInch, "na_number-14_5x11.5in",
     u"封筒 #14", u"封筒 #14、5 x 11 1/2 インチ"},
    {24, {u"vbprpscsheet", u"prpscsheet", u"24"}, 17 * kInch, 22 * kInch, "na_c_17x22in",
     u"C シート", u"C サイズ シート"},
    {25, {u"vbprpsdsheet", u"prpsdsheet", u"25"}, 22 * kInch, 34 * kInch, "na_d_22x34in",
     u"D シート", u"D サイズ シート"},
    {26, {u"vbprpsesheet", u"prpsesheet", u"26"}, 34 * kInch, 44 * kInch, "na_e_34x44in",
     u"E シート", u"E サイズ シート"},
    {27, {u"vbprpsenvdl", u"prpsenvdl", u"27"}, 110, 220, "iso_dl_110x220mm",
     u"封筒 DL", u"封筒 DL、110 x 220 mm"},
    {28, {u"vbprpsenvc5", u"prpsenvc5", u"30"}, 162, 229, "iso_c5_162x229mm",
     u"封筒 C5", u"封筒 C5、162 x 229 mm"},
    {29, {u"vbprpsenvc3", u"prpsenvc3", u"28"}, 324, 458, "iso_c3_324x458mm",
     u"封筒 C3", u"封筒 C3、324 x 458 mm"},
    {30, {u"vbprpsenvc4", u"prpsenvc4", u"29"}, 229, 324, "iso_c4_229x324mm",
     u"封筒 C4", u"封筒 C4、229 x 324 mm"},
    {31, {u"vbprpsenvc6", u"prpsenvc6", u"31"}, 114, 162, "iso_c6_114x162mm",
     u"封筒 C6", u"封筒 C6、114 x 162 mm"},
    {32, {u"vbprpsenvc65", u"prpsenvc65", u"32"}, 114, 229, "iso_c6c5_114x229mm",
     u"封筒 C65", u"封筒 C65、114 x 229 mm"},
    {33, {u"vbprpsenvb4", u"prpsenvb4", u"33"}, 250, 353, "iso_b4_250x353mm",
     u"封筒 B4", u"封筒 B4、250 x 353 mm"},
    {34, {u"vbprpsenvb5", u"prpsenvb5", u"34"}, 176, 250, "iso_b5_176x250mm",
     u"封筒 B5", u"封筒 B5、176 x 250 mm"},
    {35, {u"vbprpsenvb6", u"prpsenvb6", u"35"}, 176, 125, "iso_b6_125x176mm",
     u"封筒 B6", u"封筒 B6、176 x 125 mm"},
    {36, {u"vbprpsenvitaly", u"prpsenvitaly", u"36"}, 110, 230, "om_italian_110x230mm",
     u"封筒 Italy", u"封筒、110 x 230 mm"},
    {37, {u"vbprpsenvmonarch", u"prpsenvmonarch", u"37"}, 3.875 * kInch, 7.5 * kInch, "na_monarch_3.875x7.5in",
     u"封筒 Monarch", u"封筒 Monarch、3 7/8 x 7 1/2 インチ"},
    {38, {u"vbprpsenvpersonal", u"prpsenvpersonal", u"38"}, 3.625 * kInch, 6.5 * kInch, "na_personal_3.625x6.5in",
     u"封筒 Personal", u"封筒、3 5/8 x 6 1/2 インチ"},
    {39, {u"vbprpsfanfoldus", u"prpsfanfoldus", u"39"}, 14.875 * kInch, 11 * kInch, "na_fanfold-us_11x14.875in",
     u"US 標準ファンフォールド", u"U.S. スタンダード ファンフォールド、14 7/8 x 11 インチ"},
    {40, {u"vbprpsfanfoldstdgerman", u"prpsfanfoldstdgerman", u"40"}, 8.5 * kInch, 12 * kInch, "na_fanfold-eur_8.5x12in",
     u"ドイツ標準ファンフォールド", u"ドイツ スタンダード ファンフォールド、8 1/2 x 12 インチ"},
    {41, {u"vbprpsfanfoldlglgerman", u"prpsfanfoldlglgerman", u"41"}, 8.5 * kInch, 13 * kInch, "na_foolscap_8.5x13in",
     u"ドイツ リーガル ファンフォールド", u"ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ"},
    {256, {u"vbprpsuser", u"prpsuser", u"256"}, 0, 0, "",
     u"ユーザー定義", u"ユーザー定義のサイズ"},
};

constexpr bool PapersInCodeOrder() {
  for (size_t i = 0; i + 1 < std::size(kPapers); ++i) {
    if (kPapers[i].code != static_cast<int16_t>(i + 1)) return false;
  }
  return kPapers[std::size(kPapers) - 1].code == kPaperUser;
}
static_assert(std::size(kPapers) == 42 && PapersInCodeOrder(), "codes 1 to 41, then 256");

// The papers with a sheet of their own: codes 1 to 41.
inline constexpr std::span<const PaperSheet> kPaperSheets{kPapers, std::size(kPapers) - 1};

inline std::optional<PaperSheet> SheetForCode(int16_t code) {
  for (const auto& sheet : kPaperSheets) {
    if (sheet.code == code) return sheet;
  }
  return std::nullopt;
}

// The row of a code, the user-defined size included.
inline const PaperSheet* PaperFor(int16_t code) {
  for (const auto& paper : kPapers) {
    if (paper.code == code) return &paper;
  }
  return nullptr;
}

// The status bar's name of a code; empty for a code that is not in the table.
inline TextView PaperNameFor(int16_t code) {
  const PaperSheet* paper = PaperFor(code);
  return paper != nullptr ? paper->displayName : TextView();
}

// A length in millimetres to the given decimals, trailing zeros dropped ("50", "28.58").
inline Text MillimetreText(double mm, int decimals) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, mm, std::chars_format::fixed, decimals);
  std::string_view digits(text, static_cast<size_t>(written.ptr - text));
  if (digits.find('.') != std::string_view::npos) {
    while (digits.back() == '0') digits.remove_suffix(1);
    if (digits.back() == '.') digits.remove_suffix(1);
  }
  return Text(digits.begin(), digits.end());
}

// The user-defined size's name with the sheet it stands for, as the paper names give
// theirs: "ユーザー定義のサイズ、50 x 30 mm".
inline Text UserSizeName(double widthMm, double heightMm, int decimals) {
  return Text(PaperNameFor(kPaperUser)) + u"、" + MillimetreText(widthMm, decimals) + u" x " +
         MillimetreText(heightMm, decimals) + u" mm";
}

}  // namespace vant
