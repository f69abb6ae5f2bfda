#include "app/check/check_warnings.h"

#include <QtGlobal>
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

std::string Decimal(double value, int digits) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << std::fixed << std::setprecision(digits) << value;
  return out.str();
}

std::string Millimetres(double px, double dotsPerMm) { return Decimal(px / dotsPerMm, 1) + " mm"; }

enum class Side { kLeft, kTop, kRight, kBottom };

// The sides' names as the warnings say them, in the order of Side.
constexpr const char* kSideNames[] = {
    QT_TRANSLATE_NOOP("vant check", "left"),
    QT_TRANSLATE_NOOP("vant check", "top"),
    QT_TRANSLATE_NOOP("vant check", "right"),
    QT_TRANSLATE_NOOP("vant check", "bottom"),
};
static_assert(std::size(kSideNames) == static_cast<size_t>(Side::kBottom) + 1);

std::string SideName(Side side, const Words& w) {
  return w.translate("vant check", kSideNames[static_cast<size_t>(side)]);
}

// The side of an area a box reaches furthest past, and how far (device pixels); nothing
// past when it lies within.
struct Overrun {
  Side side = Side::kLeft;
  double px = 0;
  double dotsPerMm = 1;
};

Overrun FurthestPast(const PixelBox& box, const PixelBox& area, const RecordedMark& mark) {
  const Overrun sides[] = {{Side::kLeft, area.left - box.left, mark.dotsPerMmX},
                           {Side::kTop, area.top - box.top, mark.dotsPerMmY},
                           {Side::kRight, box.right - area.right, mark.dotsPerMmX},
                           {Side::kBottom, box.bottom - area.bottom, mark.dotsPerMmY}};
  Overrun furthest;
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
  const Words& w;
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
    if (Past(overrun) && (overrun.side == Side::kRight || overrun.side == Side::kBottom) &&
        (past == nullptr || overrun.px / overrun.dotsPerMm > furthest.px / furthest.dotsPerMm)) {
      past = mark;
      furthest = overrun;
    }
  }
  if (first == nullptr || past == nullptr || !Within(first->extent.left, first->extent.top, first->printable)) {
    return false;
  }
  const double points = past->font.pixelHeight * 72.0 / (past->dotsPerMmY * kInch);
  const Words& w = judged.w;
  judged.Warn(WarningKind::kTextPastEdge,
              WarningText(w.translate("vant check",
                                      "The text \"%1\" at %2 points runs past the sheet's %3 edge by %4 (what runs "
                                      "past is not printed)."),
                          {ToUtf8(QuotedStart(past->text)), Decimal(points, 1), SideName(furthest.side, w),
                           Millimetres(furthest.px, furthest.dotsPerMm)}));
  return true;
}

// How far a method's marks reach past each side of an area, in the order of Side
// (millimetres; 0 where none reaches past): a box past two edges names both.
struct SideOverruns {
  double mm[std::size(kSideNames)] = {};

  // True when the mark reaches past some side.
  bool Add(const PixelBox& box, const PixelBox& area, const RecordedMark& mark) {
    const double px[] = {area.left - box.left, area.top - box.top, box.right - area.right, box.bottom - area.bottom};
    const double dotsPerMm[] = {mark.dotsPerMmX, mark.dotsPerMmY, mark.dotsPerMmX, mark.dotsPerMmY};
    static_assert(std::size(px) == std::size(kSideNames) && std::size(dotsPerMm) == std::size(kSideNames));
    bool past = false;
    for (size_t side = 0; side < std::size(kSideNames); ++side) {
      if (px[side] <= kEdgeSlack) continue;
      past = true;
      mm[side] = std::max(mm[side], px[side] / dotsPerMm[side]);
    }
    return past;
  }

  // "right edge by 5.0 mm, bottom edge by 3.0 mm": each side reached past, with how far.
  std::string Said(const Words& w) const {
    std::string said;
    for (size_t side = 0; side < std::size(kSideNames); ++side) {
      if (mm[side] <= 0) continue;
      if (!said.empty()) said += w.translate("vant check", ", ");
      said += Fill(w.translate("vant check", "%1 edge by %2"),
                   {SideName(static_cast<Side>(side), w), Decimal(mm[side], 1) + " mm"});
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
  const Words& w = judged.w;
  if (offSheet && whollyOffSheet) {
    judged.Warn(WarningKind::kOffSheet,
                WarningText(w.translate("vant check", "The marks lie off the sheet and are not printed."), {}));
  } else if (offSheet) {
    judged.Warn(
        WarningKind::kOffSheet,
        WarningText(w.translate("vant check", "The marks run past the sheet: %1 (what runs past is not printed)."),
                    {pastSheet.Said(w)}));
  } else if (outsidePrintable && unpainted) {
    judged.Warn(
        WarningKind::kOutsidePrintable,
        WarningText(
            w.translate("vant check", "The marks lie outside the printable area of this printer and are not printed."),
            {}));
  } else if (outsidePrintable) {
    judged.Warn(WarningKind::kOutsidePrintable,
                WarningText(w.translate("vant check",
                                        "The marks run past the printable area of this printer: %1 (what runs past "
                                        "is not printed)."),
                            {pastPrintable.Said(w)}));
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
                    WarningText(judged.w.translate("vant check",
                                                   "The font \"%1\" is not on this machine; it prints in \"%2\" of "
                                                   "the same design (its characters differ in width: a text may "
                                                   "come out longer or shorter)."),
                                {ToUtf8(mark->font.name), ToUtf8(resolution.face)}));
        break;
      case qt::FaceMatch::kOtherDesign:
        judged.Warn(WarningKind::kFont,
                    WarningText(judged.w.translate("vant check",
                                                   "The font \"%1\" has neither a counterpart nor a face of the "
                                                   "same design on this machine; it prints in \"%2\" (another "
                                                   "typeface, with other widths)."),
                                {ToUtf8(mark->font.name), ToUtf8(resolution.face)}));
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

// Modules of m dots are too thin to scan under kLeastModuleDots.
bool Narrow(double m) { return m < kLeastModuleDots; }

// A symbol as the bar painter laid it: every bar module is one filled box m dots wide, the
// first and last modules are bars, and the quiet zones lie around them unpainted.
void Barcode(const Judged& judged, const BarcodeValues& asked, const std::vector<const RecordedMark*>& marks) {
  const std::optional<FilledExtent> fills = MeasureFills(marks);
  if (!fills) return;
  const auto [left, right, m, dotsPerMm] = *fills;
  const double modules = std::round((right - left) / m) + 2 * kQuietModules;
  const double printed = modules * m;  // dots, both quiet zones included
  const Words& w = judged.w;
  if (Narrow(m)) {
    const std::string dots = Decimal(m, 0);
    const std::string pattern =
        dots == "1" ? w.translate("vant check",
                                  "The narrowest bar (one module) is %1 dot wide. Bars narrower than %2 dots may not "
                                  "scan (a width over %3 makes them %2 dots).")
                    : w.translate("vant check",
                                  "The narrowest bar (one module) is %1 dots wide. Bars narrower than %2 dots may not "
                                  "scan (a width over %3 makes them %2 dots).");
    judged.Warn(WarningKind::kBarcodeModules,
                WarningText(pattern, {dots, std::to_string(kLeastModuleDots), Millimetres(modules, dotsPerMm)}));
  }
  const double wanted = asked.width * judged.method.pixelsPerUnitX;
  if (!(wanted > 0)) {
    judged.Warn(
        WarningKind::kBarcodeWidth,
        WarningText(w.translate("vant check", "The width asked is 0 or less: the symbol prints at its least, %1."),
                    {Millimetres(printed, dotsPerMm)}));
  } else if (printed > kWidestBarcodeShare * wanted) {
    judged.Warn(WarningKind::kBarcodeWidth,
                WarningText(w.translate("vant check",
                                        "A width of %1 was asked; the symbol prints %2 wide (%3 %) (a bar is a whole "
                                        "number of dots wide, never narrower than asked)."),
                            {Millimetres(wanted, dotsPerMm), Millimetres(printed, dotsPerMm),
                             Decimal(100 * printed / wanted, 0)}));
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
    judged.Warn(
        WarningKind::kBarcodeText,
        WarningText(w.translate("vant check", "The text \"%1\" under the bars does not fit the symbol's width."),
                    {ToUtf8(shown)}));
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
  judged.Warn(WarningKind::kJanData,
              WarningText(judged.w.translate("vant check",
                                             "The JAN data \"%1\" prints as \"%2\" (the data is made a number of %3 "
                                             "digits, and the check digit is the one computed)."),
                          {ToUtf8(written), ToUtf8(encoded.text), std::to_string(dataDigits)}));
}

// The symbols beyond the four barcodes: their narrowest run of dark modules is one module,
// m dots (a QR Code's finder pattern has one-module runs in every row of its ring).
void Symbol(const Judged& judged, const SymbolValues& asked, const std::vector<const RecordedMark*>& marks) {
  const std::optional<FilledExtent> fills = MeasureFills(marks);
  if (!fills) return;
  const auto [left, right, m, dotsPerMm] = *fills;
  const Words& w = judged.w;
  if (Narrow(m)) {
    const std::string dots = Decimal(m, 0);
    const std::string pattern =
        dots == "1" ? w.translate("vant check",
                                  "One module is %1 dot wide. Modules narrower than %2 dots may not scan (make the "
                                  "symbol larger).")
                    : w.translate("vant check",
                                  "One module is %1 dots wide. Modules narrower than %2 dots may not scan (make the "
                                  "symbol larger).");
    judged.Warn(WarningKind::kBarcodeModules, WarningText(pattern, {dots, std::to_string(kLeastModuleDots)}));
  }
  if (asked.shape == SymbolShape::kPostal) return;  // its size is its points, not a width
  // A linear symbol's width counts its quiet zones; a QR Code's side does not.
  const double quiet = asked.shape == SymbolShape::kLinear ? 2.0 * asked.quietModules * m : 0;
  const double printed = std::round((right - left) / m) * m + quiet;
  const double wanted = asked.width * judged.method.pixelsPerUnitX;
  if (wanted > 0 && printed > kWidestBarcodeShare * wanted) {
    judged.Warn(WarningKind::kBarcodeWidth,
                WarningText(w.translate("vant check",
                                        "A size of %1 was asked; the symbol prints %2 (%3 %) (a module is a whole "
                                        "number of dots, never smaller than asked)."),
                            {Millimetres(wanted, dotsPerMm), Millimetres(printed, dotsPerMm),
                             Decimal(100 * printed / wanted, 0)}));
  }
}

}  // namespace

Text WarningText(const std::string& pattern, std::initializer_list<std::string_view> args) {
  return FromUtf8(Fill(pattern, args));
}

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
                                       qt::FontFaces& faces, const Words& w) {
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
    const Judged judged{warnings, method, position < lines.size() ? lines[position] : 0, w};
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
