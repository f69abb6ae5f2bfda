#include "app/check/check_warnings.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <unordered_map>
#include <variant>

#include "barcode/jan_digits.h"
#include "barcode/module_string.h"
#include "barcode/symbologies.h"
#include "common/failure.h"
#include "draw/method_commands.h"
#include "engine/papers.h"

namespace vant::app {
namespace {

using printing::MarkKind;
using printing::PixelBox;
using printing::RecordedMark;

// A mark's edge within this of a boundary is on it: extents are sums of rounded figures.
constexpr double kEdgeSlack = 1e-6;  // device pixels

Text Decimal(double value, int digits) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << std::fixed << std::setprecision(digits) << value;
  return FromUtf8(out.str());
}

Text Millimetres(double px, double dotsPerMm) { return Decimal(px / dotsPerMm, 1) + u" mm"; }

// The side of an area a box reaches furthest past, and how far (device pixels); nothing
// past when it lies within.
struct Overrun {
  TextView side;  // "左", "上", "右", "下"
  double px = 0;
  double dotsPerMm = 1;
};

Overrun FurthestPast(const PixelBox& box, const PixelBox& area, const RecordedMark& mark) {
  const Overrun sides[] = {{u"左", area.left - box.left, mark.dotsPerMmX},
                           {u"上", area.top - box.top, mark.dotsPerMmY},
                           {u"右", box.right - area.right, mark.dotsPerMmX},
                           {u"下", box.bottom - area.bottom, mark.dotsPerMmY}};
  Overrun furthest{u"", 0, 1};
  for (const Overrun& side : sides) {
    if (side.px / side.dotsPerMm > furthest.px / furthest.dotsPerMm) furthest = side;
  }
  return furthest;
}

bool Past(const Overrun& overrun) { return overrun.px > kEdgeSlack; }

bool WhollyOutside(const PixelBox& box, const PixelBox& area) {
  return box.right <= area.left + kEdgeSlack || box.left >= area.right - kEdgeSlack ||
         box.bottom <= area.top + kEdgeSlack || box.top >= area.bottom - kEdgeSlack;
}

bool Within(double x, double y, const PixelBox& area) {
  return x >= area.left - kEdgeSlack && x <= area.right + kEdgeSlack && y >= area.top - kEdgeSlack &&
         y <= area.bottom + kEdgeSlack;
}

// The characters a warning quotes of a text: enough to find it on the page.
constexpr size_t kQuotedCharacters = 20;

// The text's start, cut after kQuotedCharacters characters (never inside a surrogate pair),
// with "…" when cut.
Text QuotedStart(TextView text) {
  size_t end = 0;
  for (size_t characters = 0; end < text.size() && characters < kQuotedCharacters; ++characters) {
    const bool pair = end + 1 < text.size() && text[end] >= 0xD800 && text[end] <= 0xDBFF && text[end + 1] >= 0xDC00 &&
                      text[end + 1] <= 0xDFFF;
    end += pair ? 2 : 1;
  }
  return end < text.size() ? Text(text.substr(0, end)) + u"…" : Text(text);
}

struct Judged {
  std::vector<CheckWarning>& warnings;
  const MetMethod& method;
  uint32_t line;
  void Warn(WarningKind kind, Text text) const { warnings.push_back({kind, method.position, line, std::move(text)}); }
};

// A text that starts on the printable area and runs on past the sheet's right or bottom
// edge: said with the size it is printed at. True when said.
bool TextPastEdge(const Judged& judged, const std::vector<const RecordedMark*>& marks) {
  const RecordedMark* first = nullptr;
  const RecordedMark* past = nullptr;
  Overrun furthest;
  for (const RecordedMark* mark : marks) {
    if (mark->kind != MarkKind::kText) continue;
    if (first == nullptr) first = mark;
    const Overrun overrun = FurthestPast(mark->extent, mark->sheet, *mark);
    if (Past(overrun) && (overrun.side == u"右" || overrun.side == u"下") &&
        (past == nullptr || overrun.px / overrun.dotsPerMm > furthest.px / furthest.dotsPerMm)) {
      past = mark;
      furthest = overrun;
    }
  }
  if (first == nullptr || past == nullptr || !Within(first->extent.left, first->extent.top, first->printable)) {
    return false;
  }
  const double points = past->font.pixelHeight * 72.0 / (past->dotsPerMmY * kInch);
  judged.Warn(WarningKind::kTextPastEdge, u"文字列「" + QuotedStart(past->text) + u"」は " + Decimal(points, 1) +
                                              u" ポイントでは用紙の" + Text(furthest.side) + u"端を " +
                                              Millimetres(furthest.px, furthest.dotsPerMm) +
                                              u" 越えます (越えた部分は印刷されません)。");
  return true;
}

// How far a method's marks reach past each side of an area, in the order 左, 上, 右, 下
// (millimetres; 0 where none reaches past): a box past two edges names both.
struct SideOverruns {
  static constexpr TextView kSides[] = {u"左", u"上", u"右", u"下"};
  double mm[std::size(kSides)] = {};

  // True when the mark reaches past some side.
  bool Add(const PixelBox& box, const PixelBox& area, const RecordedMark& mark) {
    const double px[] = {area.left - box.left, area.top - box.top, box.right - area.right, box.bottom - area.bottom};
    const double dotsPerMm[] = {mark.dotsPerMmX, mark.dotsPerMmY, mark.dotsPerMmX, mark.dotsPerMmY};
    static_assert(std::size(px) == std::size(kSides) && std::size(dotsPerMm) == std::size(kSides));
    bool past = false;
    for (size_t side = 0; side < std::size(kSides); ++side) {
      if (px[side] <= kEdgeSlack) continue;
      past = true;
      mm[side] = std::max(mm[side], px[side] / dotsPerMm[side]);
    }
    return past;
  }

  // "右端を 5.0 mm、下端を 3.0 mm": each side reached past, with how far.
  Text Said() const {
    Text said;
    for (size_t side = 0; side < std::size(kSides); ++side) {
      if (mm[side] <= 0) continue;
      if (!said.empty()) said += u"、";
      said += Text(kSides[side]) + u"端を " + Decimal(mm[side], 1) + u" mm";
    }
    return said;
  }
};

// Where the method's marks lie: off the sheet, or beyond what the printer can print.
void Placement(const Judged& judged, const std::vector<const RecordedMark*>& marks) {
  bool offSheet = false, whollyOffSheet = true, outsidePrintable = false, unpainted = true;
  SideOverruns pastSheet, pastPrintable;
  for (const RecordedMark* mark : marks) {
    offSheet = pastSheet.Add(mark->extent, mark->sheet, *mark) || offSheet;
    whollyOffSheet = whollyOffSheet && WhollyOutside(mark->extent, mark->sheet);
    outsidePrintable = pastPrintable.Add(mark->extent, mark->printable, *mark) || outsidePrintable;
    unpainted = unpainted && !mark->painted;
  }
  if (offSheet && whollyOffSheet) {
    judged.Warn(WarningKind::kOffSheet, u"印が用紙の外にあり、印刷されません。");
  } else if (offSheet) {
    judged.Warn(WarningKind::kOffSheet,
                u"印が用紙の" + pastSheet.Said() + u" はみ出します (はみ出した部分は印刷されません)。");
  } else if (outsidePrintable && unpainted) {
    judged.Warn(WarningKind::kOutsidePrintable, u"印がこのプリンターの印刷できる範囲の外にあり、印刷されません。");
  } else if (outsidePrintable) {
    judged.Warn(WarningKind::kOutsidePrintable, u"印がこのプリンターの印刷できる範囲の" + pastPrintable.Said() +
                                                    u" はみ出します (はみ出した部分は印刷されません)。");
  }
}

void Fonts(const Judged& judged, const std::vector<const RecordedMark*>& marks, qt::FontFaces& faces) {
  std::set<Text> said;
  for (const RecordedMark* mark : marks) {
    if (mark->kind != MarkKind::kText || !said.insert(mark->font.name).second) continue;
    const qt::FaceResolution resolution = faces.Resolve(mark->font.name);
    switch (resolution.match) {
      case qt::FaceMatch::kOwn:
        break;
      case qt::FaceMatch::kSameDesign:
        judged.Warn(WarningKind::kFont,
                    u"フォント「" + mark->font.name + u"」はこの環境になく、同じ系統の「" + resolution.face +
                        u"」で印刷されます (文字の幅が違うため、文字列が長く、または短くなることがあります)。");
        break;
      case qt::FaceMatch::kOtherDesign:
        judged.Warn(WarningKind::kFont, u"フォント「" + mark->font.name +
                                            u"」はこの環境に対応するフォントも同じ系統のフォントもなく、「" +
                                            resolution.face + u"」で印刷されます (書体と文字の幅が変わります)。");
        break;
    }
  }
}

// The filled marks of a symbol, measured: from the leftmost mark's left edge to the
// rightmost one's right edge, and the narrowest mark, which is one module of m dots.
struct FilledExtent {
  double left = 0;       // device pixels
  double right = 0;      // device pixels
  double m = 0;          // device pixels
  double dotsPerMm = 1;  // across, as the last filled mark was painted
};

// Nothing when no filled mark was painted or the narrowest has no width.
std::optional<FilledExtent> MeasureFills(const std::vector<const RecordedMark*>& marks) {
  std::optional<FilledExtent> measured;
  for (const RecordedMark* mark : marks) {
    if (mark->kind != MarkKind::kFill) continue;
    const double width = mark->extent.right - mark->extent.left;
    if (!measured) {
      measured = FilledExtent{mark->extent.left, mark->extent.right, width, mark->dotsPerMmX};
      continue;
    }
    measured->left = std::min(measured->left, mark->extent.left);
    measured->right = std::max(measured->right, mark->extent.right);
    measured->m = std::min(measured->m, width);
    measured->dotsPerMm = mark->dotsPerMmX;
  }
  if (!measured || !(measured->m > 0)) return std::nullopt;
  return measured;
}

Text LeastModuleDots() { return DecimalText(static_cast<long long>(kLeastModuleDots)); }

// Modules of m dots, under kLeastModuleDots, are said in one frame: subject names the
// module as the symbol has it (up to "が"), what names the marks too thin to read, and
// advice says how to make them wider.
void NarrowModules(const Judged& judged, double m, TextView subject, TextView what, const Text& advice) {
  if (!(m < kLeastModuleDots)) return;
  judged.Warn(WarningKind::kBarcodeModules, Text(subject) + u" " + Decimal(m, 0) + u" ドットです。" +
                                                LeastModuleDots() + u" ドット未満の" + Text(what) +
                                                u"は読み取れないことがあります (" + advice + u")。");
}

// A symbol as the bar painter laid it: every bar module is one filled box m dots wide, the
// first and last modules are bars, and the quiet zones lie around them unpainted.
void Barcode(const Judged& judged, const BarcodeValues& asked, const std::vector<const RecordedMark*>& marks) {
  const std::optional<FilledExtent> fills = MeasureFills(marks);
  if (!fills) return;
  const auto [left, right, m, dotsPerMm] = *fills;
  const double modules = std::round((right - left) / m) + 2 * kQuietModules;
  const double printed = modules * m;  // dots, both quiet zones included
  NarrowModules(
      judged, m, u"バーの最も細い幅 (1 モジュール) が", u"バー",
      u"幅を " + Millimetres(modules, dotsPerMm) + u" より広くすると " + LeastModuleDots() + u" ドットになります");
  const double wanted = asked.width * judged.method.pixelsPerUnitX;
  if (!(wanted > 0)) {
    judged.Warn(WarningKind::kBarcodeWidth,
                u"幅の指定が 0 以下のため、最小の " + Millimetres(printed, dotsPerMm) + u" で印刷されます。");
  } else if (printed > kWidestBarcodeShare * wanted) {
    judged.Warn(WarningKind::kBarcodeWidth,
                u"幅 " + Millimetres(wanted, dotsPerMm) + u" の指定に対し " + Millimetres(printed, dotsPerMm) + u" (" +
                    Decimal(100 * printed / wanted, 0) +
                    u" %) で印刷されます (バーの幅はドットの整数倍で、指定より狭くはなりません)。");
  }
  // The text under the bars: within the symbol, its groups apart from each other.
  const double symbolLeft = left - kQuietModules * m, symbolRight = symbolLeft + printed;
  std::vector<const RecordedMark*> texts;
  Text shown;
  for (const RecordedMark* mark : marks) {
    if (mark->kind != MarkKind::kText) continue;
    texts.push_back(mark);
    shown += mark->text;
  }
  std::sort(texts.begin(), texts.end(),
            [](const RecordedMark* a, const RecordedMark* b) { return a->extent.left < b->extent.left; });
  bool fits = true;
  for (size_t i = 0; i < texts.size(); ++i) {
    fits =
        fits && texts[i]->extent.left >= symbolLeft - kEdgeSlack && texts[i]->extent.right <= symbolRight + kEdgeSlack;
    if (i > 0) fits = fits && texts[i - 1]->extent.right <= texts[i]->extent.left + kEdgeSlack;
  }
  if (!fits) {
    judged.Warn(WarningKind::kBarcodeText, u"バーの下の文字「" + shown + u"」がシンボルの幅に収まりません。");
  }
}

// JAN data is a number brought to the symbol's digits: short data is padded with zeros,
// long data cut, leading zeros lost, the check digit computed. Said when the digits printed
// are not the ones written followed by the computed check digit.
void JanData(const Judged& judged, Symbology symbology, TextView written, const BarcodeValues& read) {
  const EncodedSymbol encoded = RowOf(symbology).encode(read.data, false);
  if (encoded.Refused()) return;  // the run stops there
  const size_t dataDigits = symbology == Symbology::kJan13 ? kJan13DataDigits : kJan8DataDigits;
  if (written.size() >= dataDigits && TextView(encoded.text).starts_with(written)) return;
  judged.Warn(WarningKind::kJanData, u"JAN のデータ「" + Text(written) + u"」は「" + encoded.text +
                                         u"」と印刷されます (データは " +
                                         DecimalText(static_cast<long long>(dataDigits)) +
                                         u" 桁の数にそろえ、チェックディジットは計算したものを付けます)。");
}

// The symbols beyond the four barcodes: their narrowest run of dark modules is one module,
// m dots (a QR Code's finder pattern has one-module runs in every row of its ring).
void Symbol(const Judged& judged, const SymbolValues& asked, const std::vector<const RecordedMark*>& marks) {
  const std::optional<FilledExtent> fills = MeasureFills(marks);
  if (!fills) return;
  const auto [left, right, m, dotsPerMm] = *fills;
  NarrowModules(judged, m, u"1 モジュールが", u"モジュール", u"大きさを広げてください");
  if (asked.shape == SymbolShape::kPostal) return;  // its size is its points, not a width
  // A linear symbol's width counts its quiet zones; a QR Code's side does not.
  const double quiet = asked.shape == SymbolShape::kLinear ? 2.0 * asked.quietModules * m : 0;
  const double printed = std::round((right - left) / m) * m + quiet;
  const double wanted = asked.width * judged.method.pixelsPerUnitX;
  if (wanted > 0 && printed > kWidestBarcodeShare * wanted) {
    judged.Warn(WarningKind::kBarcodeWidth,
                u"大きさ " + Millimetres(wanted, dotsPerMm) + u" の指定に対し " + Millimetres(printed, dotsPerMm) +
                    u" (" + Decimal(100 * printed / wanted, 0) +
                    u" %) で印刷されます (モジュールはドットの整数倍で、指定より小さくはなりません)。");
  }
}

}  // namespace

std::string_view WarningName(WarningKind kind) {
  switch (kind) {
    case WarningKind::kOffSheet:
      return "offSheet";
    case WarningKind::kOutsidePrintable:
      return "outsidePrintable";
    case WarningKind::kFont:
      return "font";
    case WarningKind::kBarcodeModules:
      return "barcodeModules";
    case WarningKind::kBarcodeWidth:
      return "barcodeWidth";
    case WarningKind::kBarcodeText:
      return "barcodeText";
    case WarningKind::kTextPastEdge:
      return "textPastEdge";
    case WarningKind::kEncoding:
      return "encoding";
    case WarningKind::kUnreadParam:
      return "unreadParam";
    case WarningKind::kJanData:
      return "janData";
    case WarningKind::kUnknownPrinter:
      return "unknownPrinter";
  }
  return "unknown";
}

std::vector<CheckWarning> MarkWarnings(const std::vector<MetMethod>& met, bool stopped, const ControlState& control,
                                       const printing::PrintRecord& record, const std::vector<uint32_t>& lines,
                                       qt::FontFaces& faces) {
  std::unordered_map<int16_t, std::vector<const RecordedMark*>> byMethod;
  for (const RecordedMark& mark : record.marks) byMethod[mark.method].push_back(&mark);

  std::vector<CheckWarning> warnings;
  // A stopped run stopped at the last method it met: that one did not run to its end.
  const size_t ran = stopped && !met.empty() ? met.size() - 1 : met.size();
  for (size_t i = 0; i < ran; ++i) {
    const MetMethod& method = met[i];
    if (method.row == nullptr || method.row->marks == nullptr) continue;
    const auto found = byMethod.find(method.position);
    if (found == byMethod.end()) continue;
    const std::vector<const RecordedMark*>& marks = found->second;
    const size_t position = static_cast<size_t>(method.position);
    if (position >= control.methodList.size()) continue;
    MarkValues values;
    try {
      values = method.row->marks->read(control.methodList[position]);
    } catch (const Failure&) {
      continue;  // the run would have stopped here
    }
    const Judged judged{warnings, method, position < lines.size() ? lines[position] : 0};
    const bool text = std::holds_alternative<TextMark>(values);
    if (!(text && TextPastEdge(judged, marks))) Placement(judged, marks);
    if (text) Fonts(judged, marks, faces);
    if (const auto* barcode = std::get_if<BarcodeValues>(&values)) {
      Barcode(judged, *barcode, marks);
      const std::optional<Symbology> symbology = SymbologyOf(*method.row);
      if (symbology == Symbology::kJan13 || symbology == Symbology::kJan8) {
        JanData(judged, *symbology, control.methodList[position].field[3], *barcode);
      }
    }
    if (const auto* symbol = std::get_if<SymbolValues>(&values)) Symbol(judged, *symbol, marks);
  }
  return warnings;
}

}  // namespace vant::app
