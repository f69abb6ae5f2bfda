#include "platform/qt/windows_fonts.h"

#include <algorithm>
#include <unordered_map>

namespace vant::qt {
namespace {

// The tables' rows name the enumerators bare; the names stay in this namespace (a unity
// build puts other sources after this one).
namespace table {
using enum FaceFit;
using enum FontDesign;

// The faces each design's stand-ins come from, all of them in Debian packages the program
// depends on (fonts-noto-cjk is recommended: without it the IPA faces follow).
constexpr DesignFaces kDesigns[] = {
    {kGothic, "gothic", {"Noto Sans CJK JP", "IPAexGothic", "IPAGothic", "IPAPGothic", "BIZ UDGothic", "BIZ UDPGothic"},
     kGothic},
    {kMincho, "mincho", {"Noto Serif CJK JP", "IPAexMincho", "IPAMincho", "IPAPMincho", "BIZ UDMincho", "BIZ UDPMincho"},
     kMincho},
    {kRoundedGothic, "roundedGothic", {"MotoyaLMaru"}, kGothic},
    {kSans, "sans", {"Liberation Sans", "Liberation Sans Narrow", "Carlito", "DejaVu Sans"}, kSans},
    {kSerif, "serif", {"Liberation Serif", "Caladea", "C059", "DejaVu Serif"}, kSerif},
    {kMono, "mono", {"Liberation Mono", "DejaVu Sans Mono"}, kMono},
    {kGeometricSans, "geometricSans", {"URW Gothic"}, kSans},
    {kOcrA, "ocrA", {"OCRA"}, kMono},
    {kOcrB, "ocrB", {"OCR B"}, kMono},
};

// The faces:
// - The IPA fonts have the widths of the MS fonts: full-width letters one em, half-width
//   ones half an em, and the proportional (P) faces stand for the proportional MS faces.
// - Morisawa's BIZ UD fonts are the fonts Windows ships under those names.
// - Liberation Sans, Serif and Mono are made to the widths of Arial, Times New Roman and
//   Courier New; Carlito and Caladea to those of Calibri and Cambria; URW's C059 to those
//   of Century Schoolbook and URW Gothic to those of ITC Avant Garde Gothic, whose widths
//   Century Gothic was drawn to.
// - OCR-A and OCR-B are standard letter shapes on a fixed pitch; the free faces draw them.
// - The rest have no face made to their widths: a face of their design stands in. The HG
//   brush and textbook designs (正楷書, 行書, 教科書) print in Mincho, the nearest printed
//   design to a brush.
constexpr WindowsFont kFonts[] = {
    // The MS fonts of every Japanese Windows.
    {"IPAMincho", kMetric, kMincho, {"MS 明朝", "MS Mincho"}},
    {"IPAGothic", kMetric, kGothic, {"MS ゴシック", "MS Gothic"}},
    {"IPAPMincho", kMetric, kMincho, {"MS P明朝", "MS PMincho"}},
    {"IPAPGothic", kMetric, kGothic, {"MS Pゴシック", "MS PGothic", "MS UI Gothic", "MS UI ゴシック"}},
    // Meiryo and Yu: modern Gothic and Mincho designs with proportional Latin letters.
    {"Noto Sans CJK JP", kDesign, kGothic, {"メイリオ", "Meiryo", "Meiryo UI"}},
    {"Noto Sans CJK JP",
     kDesign,
     kGothic,
     {"游ゴシック", "游ゴシック Medium", "游ゴシック Light", "游ゴシック体", "Yu Gothic", "Yu Gothic Medium",
      "Yu Gothic Light", "Yu Gothic UI", "Yu Gothic UI Semibold", "Yu Gothic UI Light"}},
    {"Noto Serif CJK JP",
     kDesign,
     kMincho,
     {"游明朝", "游明朝 Medium", "游明朝 Light", "游明朝 Demibold", "游明朝体", "Yu Mincho", "Yu Mincho Medium",
      "Yu Mincho Light", "Yu Mincho Demibold"}},
    // Morisawa's universal-design fonts.
    {"BIZ UDGothic", kMetric, kGothic, {"BIZ UDゴシック", "BIZ UDGothic"}},
    {"BIZ UDPGothic", kMetric, kGothic, {"BIZ UDPゴシック", "BIZ UDPGothic"}},
    {"BIZ UDMincho", kMetric, kMincho, {"BIZ UD明朝", "BIZ UD明朝 Medium", "BIZ UDMincho", "BIZ UDMincho Medium"}},
    {"BIZ UDPMincho", kMetric, kMincho, {"BIZ UDP明朝", "BIZ UDP明朝 Medium", "BIZ UDPMincho", "BIZ UDPMincho Medium"}},
    // The HG fonts Office installs, in their half-width-katakana, full-width and English
    // spellings: HG the fixed pitch, HGP proportional, HGS proportional kana.
    {"IPAGothic", kDesign, kGothic, {"HGｺﾞｼｯｸM", "HGゴシックM", "HGGothicM", "HGｺﾞｼｯｸE", "HGゴシックE", "HGGothicE"}},
    {"IPAPGothic",
     kDesign,
     kGothic,
     {"HGPｺﾞｼｯｸM", "HGPゴシックM", "HGPGothicM", "HGSｺﾞｼｯｸM", "HGSゴシックM", "HGSGothicM", "HGPｺﾞｼｯｸE",
      "HGPゴシックE", "HGPGothicE", "HGSｺﾞｼｯｸE", "HGSゴシックE", "HGSGothicE"}},
    {"IPAGothic", kDesign, kGothic, {"HG創英角ｺﾞｼｯｸUB", "HG創英角ゴシックUB", "HGSoeiKakugothicUB"}},
    {"IPAPGothic",
     kDesign,
     kGothic,
     {"HGP創英角ｺﾞｼｯｸUB", "HGP創英角ゴシックUB", "HGPSoeiKakugothicUB", "HGS創英角ｺﾞｼｯｸUB", "HGS創英角ゴシックUB",
      "HGSSoeiKakugothicUB"}},
    {"IPAMincho",
     kDesign,
     kMincho,
     {"HG明朝B", "HGMinchoB", "HG明朝E", "HGMinchoE", "HG創英ﾌﾟﾚｾﾞﾝｽEB", "HG創英プレゼンスEB", "HGSoeiPresenceEB"}},
    {"IPAPMincho",
     kDesign,
     kMincho,
     {"HGP明朝B", "HGPMinchoB", "HGS明朝B", "HGSMinchoB", "HGP明朝E", "HGPMinchoE", "HGS明朝E", "HGSMinchoE",
      "HGP創英ﾌﾟﾚｾﾞﾝｽEB", "HGP創英プレゼンスEB", "HGPSoeiPresenceEB"}},
    {"IPAPMincho", kDesign, kMincho, {"HGS創英ﾌﾟﾚｾﾞﾝｽEB", "HGS創英プレゼンスEB", "HGSSoeiPresenceEB"}},
    {"MotoyaLMaru", kDesign, kRoundedGothic, {"HG丸ｺﾞｼｯｸM-PRO", "HG丸ゴシックM-PRO", "HGMaruGothicMPRO"}},
    {"IPAMincho",
     kDesign,
     kMincho,
     {"HG正楷書体-PRO", "HGSeikaishotaiPRO", "HG行書体", "HGGyoshotai", "HG教科書体", "HGKyokashotai"}},
    {"IPAPMincho",
     kDesign,
     kMincho,
     {"HGP行書体", "HGPGyoshotai", "HGS行書体", "HGSGyoshotai", "HGP教科書体", "HGPKyokashotai", "HGS教科書体",
      "HGSKyokashotai"}},
    // Latin fonts of Windows and Office.
    {"Liberation Sans", kMetric, kSans, {"Arial"}},
    {"Liberation Sans Narrow", kMetric, kSans, {"Arial Narrow"}},
    {"Liberation Sans", kDesign, kSans, {"Arial Black"}},
    {"Liberation Serif", kMetric, kSerif, {"Times New Roman"}},
    {"Liberation Mono", kMetric, kMono, {"Courier New"}},
    {"Carlito", kMetric, kSans, {"Calibri"}},
    {"Caladea", kMetric, kSerif, {"Cambria"}},
    {"C059", kMetric, kSerif, {"Century Schoolbook"}},
    {"C059", kDesign, kSerif, {"Century"}},
    {"URW Gothic", kMetric, kGeometricSans, {"Century Gothic"}},
    {"DejaVu Sans", kDesign, kSans, {"Verdana", "Tahoma"}},
    {"Liberation Sans", kDesign, kSans, {"Segoe UI", "Segoe UI Semibold", "Segoe UI Light"}},
    {"OCR B", kMetric, kOcrB, {"OCR-B", "OCR-B 10 BT", "OCRB"}},
    {"OCRA", kMetric, kOcrA, {"OCR-A", "OCR A Extended", "OCR-A BT", "OCR A"}},
};
}  // namespace table

using table::kDesigns;
using table::kFonts;

// A face a design lists, and in no other design: a realised face tells its design.
constexpr bool InDesign(std::string_view face, const DesignFaces& design) {
  for (const char* listed : design.faces) {
    if (listed != nullptr && face == listed) return true;
  }
  return false;
}

constexpr bool DesignsAreInOrderAndDisjoint() {
  for (size_t d = 0; d < std::size(kDesigns); ++d) {
    if (static_cast<size_t>(kDesigns[d].design) != d || kDesigns[d].faces[0] == nullptr) return false;
    for (const char* face : kDesigns[d].faces) {
      for (size_t other = 0; other < std::size(kDesigns) && face != nullptr; ++other) {
        if (other != d && InDesign(face, kDesigns[other])) return false;
      }
    }
  }
  return true;
}
static_assert(DesignsAreInOrderAndDisjoint(), "one row a design, in the enum's order; a face lies in one design");

constexpr char FoldedAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool SameFolded(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < a.size() && a[i] == ' ') ++i;
    while (j < b.size() && b[j] == ' ') ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (FoldedAscii(a[i]) != FoldedAscii(b[j])) return false;
    ++i, ++j;
  }
}

constexpr bool RowsAreSound() {
  for (size_t r = 0; r < std::size(kFonts); ++r) {
    const WindowsFont& row = kFonts[r];
    if (row.names[0] == nullptr || !InDesign(row.face, kDesigns[static_cast<size_t>(row.design)])) return false;
    for (size_t n = 0; n < kMostSpellings; ++n) {
      if (row.names[n] == nullptr) continue;
      for (size_t r2 = r; r2 < std::size(kFonts); ++r2) {
        for (size_t n2 = r2 == r ? n + 1 : 0; n2 < kMostSpellings; ++n2) {
          if (kFonts[r2].names[n2] != nullptr && SameFolded(row.names[n], kFonts[r2].names[n2])) return false;
        }
      }
    }
  }
  return true;
}
static_assert(RowsAreSound(), "every row has a name and a face of its design, and a spelling names one row");

bool IsAsciiPrintable(char c) { return c > ' ' && c <= '~'; }

// The name with its printable ASCII characters in their full-width forms (U+FF01..U+FF5E)
// and each blank as `blank`.
std::string FullWidth(std::string_view name, std::string_view blank) {
  std::string wide;
  for (const char c : name) {
    if (c == ' ') {
      wide += blank;
    } else if (IsAsciiPrintable(c)) {
      const unsigned code = 0xFEE0u + static_cast<unsigned char>(c);  // U+FF01..U+FF5E, 3 bytes in UTF-8
      wide += static_cast<char>(0xE0 | (code >> 12));
      wide += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      wide += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      wide += c;
    }
  }
  return wide;
}

}  // namespace

std::span<const WindowsFont> WindowsFonts() { return kFonts; }
std::span<const DesignFaces> Designs() { return kDesigns; }
const DesignFaces& FacesOf(FontDesign design) { return kDesigns[static_cast<size_t>(design)]; }

std::string FoldedFamily(std::string_view family) {
  std::string folded;
  for (const char c : family) {
    if (c != ' ') folded.push_back(FoldedAscii(c));
  }
  return folded;
}

std::vector<std::string> Spellings(const WindowsFont& font) {
  std::vector<std::string> spellings;
  for (const char* listed : font.names) {
    if (listed == nullptr) continue;
    const std::string_view name = listed;
    spellings.emplace_back(name);
    const bool japanese = std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; });
    const bool latin = std::any_of(name.begin(), name.end(), IsAsciiPrintable);
    if (!japanese || !latin) continue;
    spellings.push_back(FullWidth(name, " "));
    if (name.find(' ') != std::string_view::npos) spellings.push_back(FullWidth(name, "\u3000"));
  }
  return spellings;
}

const WindowsFont* FindWindowsFont(std::string_view name) {
  // Built once, on first use (thread-safe), from the constant table.
  static const std::unordered_map<std::string, const WindowsFont*> byName = [] {
    std::unordered_map<std::string, const WindowsFont*> map;
    for (const WindowsFont& font : kFonts) {
      for (const std::string& spelling : Spellings(font)) map.emplace(FoldedFamily(spelling), &font);
    }
    return map;
  }();
  const auto found = byName.find(FoldedFamily(name));
  return found == byName.end() ? nullptr : found->second;
}

std::optional<FontDesign> DesignOfFace(std::string_view family) {
  const std::string folded = FoldedFamily(family);
  for (const DesignFaces& design : kDesigns) {
    for (const char* face : design.faces) {
      if (face != nullptr && FoldedFamily(face) == folded) return design.design;
    }
  }
  return std::nullopt;
}

std::vector<std::string_view> StandIns(const WindowsFont& font) {
  std::vector<std::string_view> faces{font.face};
  const DesignFaces& own = FacesOf(font.design);
  for (const DesignFaces* design : {&own, &FacesOf(own.fallback)}) {
    for (const char* face : design->faces) {
      if (face != nullptr && std::find(faces.begin(), faces.end(), face) == faces.end()) faces.push_back(face);
    }
  }
  return faces;
}

}  // namespace vant::qt
