// The Windows font names pages use, with the face each is to print in through the shipped
// font configuration, that face's design and what `vant check` says of it: the rows the
// font tests of the Qt platform (the face, in-process) and of the command (the warning,
// the PDF) both check.
#pragma once

#include <string_view>

namespace vant::test {

enum class FontWarning {
  kNone,         // the name's own face or one with its widths
  kSameDesign,   // a face of the name's design with other widths, named in the warning
  kOtherDesign,  // no face of the name's design
};

struct FontRow {
  int line;
  std::string_view name;
  std::string_view face;     // the family Qt reports
  std::string_view design;   // the face's design, by its name in reports
  FontWarning warning;
  std::string_view pdfFont;  // the face's PostScript name, as pdffonts lists it
  bool onIssuePage;          // one of the 25 names of the office's pages
};

// clang-format off
inline constexpr FontRow kFontRows[] = {
    // The MS fonts: the IPA faces have their widths.
    {__LINE__, "ＭＳ 明朝", "IPAMincho", "mincho", FontWarning::kNone, "IPAMincho", true},
    {__LINE__, "ＭＳ　明朝", "IPAMincho", "mincho", FontWarning::kNone, "IPAMincho", false},
    {__LINE__, "MS Gothic", "IPAGothic", "gothic", FontWarning::kNone, "IPAGothic", false},
    {__LINE__, "ＭＳ Ｐゴシック", "IPAPGothic", "gothic", FontWarning::kNone, "IPAPGothic", true},
    {__LINE__, "ms pmincho", "IPAPMincho", "mincho", FontWarning::kNone, "IPAPMincho", false},
    {__LINE__, "ＭＳ ＵＩ ゴシック", "IPAPGothic", "gothic", FontWarning::kNone, "IPAPGothic", false},
    // Meiryo and Yu: a modern face of their design.
    {__LINE__, "メイリオ", "Noto Sans CJK JP", "gothic", FontWarning::kSameDesign, "NotoSansCJKjp-Regular", true},
    {__LINE__, "Meiryo UI", "Noto Sans CJK JP", "gothic", FontWarning::kSameDesign, "NotoSansCJKjp-Regular", true},
    {__LINE__, "游ゴシック", "Noto Sans CJK JP", "gothic", FontWarning::kSameDesign, "NotoSansCJKjp-Regular", true},
    {__LINE__, "游ゴシック Medium", "Noto Sans CJK JP", "gothic", FontWarning::kSameDesign, "NotoSansCJKjp-Regular", false},
    {__LINE__, "Yu Gothic", "Noto Sans CJK JP", "gothic", FontWarning::kSameDesign, "NotoSansCJKjp-Regular", true},
    {__LINE__, "Yu Gothic Light", "Noto Sans CJK JP", "gothic", FontWarning::kSameDesign, "NotoSansCJKjp-Regular", false},
    {__LINE__, "游明朝", "Noto Serif CJK JP", "mincho", FontWarning::kSameDesign, "NotoSerifCJKjp-Regular", true},
    {__LINE__, "Yu Mincho Demibold", "Noto Serif CJK JP", "mincho", FontWarning::kSameDesign, "NotoSerifCJKjp-Regular", false},
    // Morisawa's own BIZ UD fonts.
    {__LINE__, "BIZ UDゴシック", "BIZ UDGothic", "gothic", FontWarning::kNone, "BIZUDGothic-Regular", true},
    {__LINE__, "BIZ UDPGothic", "BIZ UDPGothic", "gothic", FontWarning::kNone, "BIZUDPGothic-Regular", false},
    {__LINE__, "BIZ UD明朝 Medium", "BIZ UDMincho", "mincho", FontWarning::kNone, "BIZUDMincho-Regular", false},
    {__LINE__, "BIZ UDP明朝", "BIZ UDPMincho", "mincho", FontWarning::kNone, "BIZUDPMincho-Regular", true},
    {__LINE__, "ＢＩＺ ＵＤＰ明朝", "BIZ UDPMincho", "mincho", FontWarning::kNone, "BIZUDPMincho-Regular", false},
    // The HG fonts: half-width katakana, full-width and English spellings.
    {__LINE__, "HGｺﾞｼｯｸM", "IPAGothic", "gothic", FontWarning::kSameDesign, "IPAGothic", true},
    {__LINE__, "HGゴシックE", "IPAGothic", "gothic", FontWarning::kSameDesign, "IPAGothic", false},
    {__LINE__, "HGPｺﾞｼｯｸE", "IPAPGothic", "gothic", FontWarning::kSameDesign, "IPAPGothic", false},
    {__LINE__, "HGSGothicM", "IPAPGothic", "gothic", FontWarning::kSameDesign, "IPAPGothic", false},
    {__LINE__, "HG明朝E", "IPAMincho", "mincho", FontWarning::kSameDesign, "IPAMincho", true},
    {__LINE__, "HGP明朝B", "IPAPMincho", "mincho", FontWarning::kSameDesign, "IPAPMincho", false},
    {__LINE__, "HG丸ｺﾞｼｯｸM-PRO", "MotoyaLMaru", "roundedGothic", FontWarning::kSameDesign, "MotoyaLMaru-W3-90ms-RKSJ-H", true},
    {__LINE__, "HGMaruGothicMPRO", "MotoyaLMaru", "roundedGothic", FontWarning::kSameDesign, "MotoyaLMaru-W3-90ms-RKSJ-H", false},
    {__LINE__, "HG正楷書体-PRO", "IPAMincho", "mincho", FontWarning::kSameDesign, "IPAMincho", true},
    {__LINE__, "HG行書体", "IPAMincho", "mincho", FontWarning::kSameDesign, "IPAMincho", false},
    {__LINE__, "HG創英角ｺﾞｼｯｸUB", "IPAGothic", "gothic", FontWarning::kSameDesign, "IPAGothic", true},
    {__LINE__, "HGS創英角ｺﾞｼｯｸUB", "IPAPGothic", "gothic", FontWarning::kSameDesign, "IPAPGothic", false},
    // Latin fonts: the faces made to their widths, else one of their design.
    {__LINE__, "Arial", "Liberation Sans", "sans", FontWarning::kNone, "LiberationSans", true},
    {__LINE__, "Arial Black", "Liberation Sans", "sans", FontWarning::kSameDesign, "LiberationSans", false},
    {__LINE__, "Times New Roman", "Liberation Serif", "serif", FontWarning::kNone, "LiberationSerif", true},
    {__LINE__, "Courier New", "Liberation Mono", "mono", FontWarning::kNone, "LiberationMono", true},
    {__LINE__, "Calibri", "Carlito", "sans", FontWarning::kNone, "Carlito", true},
    {__LINE__, "Cambria", "Caladea", "serif", FontWarning::kNone, "Caladea-Regular", true},
    {__LINE__, "Century", "C059", "serif", FontWarning::kSameDesign, "C059-Roman", true},
    {__LINE__, "Century Gothic", "URW Gothic", "geometricSans", FontWarning::kNone, "URWGothic-Book", true},
    {__LINE__, "Verdana", "DejaVu Sans", "sans", FontWarning::kSameDesign, "DejaVuSans", true},
    {__LINE__, "Tahoma", "DejaVu Sans", "sans", FontWarning::kSameDesign, "DejaVuSans", true},
    {__LINE__, "Segoe UI", "Liberation Sans", "sans", FontWarning::kSameDesign, "LiberationSans", true},
    {__LINE__, "OCR-B", "OCR B", "ocrB", FontWarning::kNone, "OCRB-Regular", true},
    {__LINE__, "OCR-A", "OCRA", "ocrA", FontWarning::kNone, "OCRA", false},
    {__LINE__, "OCR A Extended", "OCRA", "ocrA", FontWarning::kNone, "OCRA", false},
    // Installed families by their own names, and a name nobody has.
    {__LINE__, "IPAexGothic", "IPAexGothic", "gothic", FontWarning::kNone, "IPAexGothic", false},
    {__LINE__, "Vant3 No Such Font", "DejaVu Sans", "sans", FontWarning::kOtherDesign, "DejaVuSans", false},
};
// clang-format on

}  // namespace vant::test
