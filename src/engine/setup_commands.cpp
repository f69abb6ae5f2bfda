#include "engine/setup_commands.h"

#include <array>
#include <optional>

#include "common/failure.h"
#include "engine/run_stop.h"
#include "engine/setup_keywords.h"

namespace vant {
namespace {

struct SettingRow {
  PrinterSetting setting;
  std::span<const KeywordRow> keywords;
  std::u16string_view message;  // the stop message for an unaccepted keyword
  void (*set)(Printer&, int16_t);
};

// paperbin and colormode have no message of their own and share the scale mode's.
const SettingRow kSettings[] = {
    {PrinterSetting::kPaperSize, kPaperSizeKeywords, u"PaperSize指定が不正です!", [](Printer& p, int16_t v) { p.SetPaperSize(v); }},
    {PrinterSetting::kOrientation, kOrientationKeywords, u"Orientation指定が不正です!", [](Printer& p, int16_t v) { p.SetOrientation(v); }},
    {PrinterSetting::kScaleMode, kScaleModeKeywords, u"ScaleMode指定が不正です!", [](Printer& p, int16_t v) { p.SetScaleMode(v); }},
    {PrinterSetting::kPrintQuality, kPrintQualityKeywords, u"Printquality指定が不正です!", [](Printer& p, int16_t v) { p.SetPrintQuality(v); }},
    {PrinterSetting::kPaperBin, kPaperBinKeywords, u"ScaleMode指定が不正です!", [](Printer& p, int16_t v) { p.SetPaperBin(v); }},
    {PrinterSetting::kColorMode, kColorModeKeywords, u"ScaleMode指定が不正です!", [](Printer& p, int16_t v) { p.SetColorMode(v); }},
};

// Field 1 lower-cased on the stack: keywords are short, and a setup method is run without
// an allocation. A longer field, which no keyword matches, is lower-cased the usual way.
std::optional<int16_t> FindLowerCased(std::span<const KeywordRow> keywords, TextView field) {
  std::array<char16_t, 64> lowered{};
  if (field.size() > lowered.size()) return FindKeyword(keywords, LowerCase(field));
  for (size_t i = 0; i < field.size(); ++i) lowered[i] = LowerCaseUnit(field[i]);
  return FindKeyword(keywords, TextView(lowered.data(), field.size()));
}

}  // namespace

bool SelectPrinter(InstalledPrinters& printers, TextView name) {
  const int count = printers.Count();
  for (int i = 0; i < count; ++i) {
    if (TrimmedBlanks(printers.At(i).DeviceName()) == name) {
      printers.MakeCurrent(i);
      return true;
    }
  }
  const int reached = printers.ReachedByName(name);
  if (reached < 0 || reached >= count) return false;
  printers.MakeCurrent(reached);
  return true;
}

Text PrinterNotFound(TextView name) { return u"プリンター「" + Text(name) + u"」が見つかりません"; }

void ChangePrinter(Platform& platform, const MethodRec& method) {
  InstalledPrinters& printers = platform.printer.Installed();
  const TextView name = TrimmedBlanks(method.field[1]);
  if (SelectPrinter(printers, name)) return;
  if (printers.NamedNoPrinter(name) == UnknownPrinter::kStop) throw RunStop{PrinterNotFound(name)};
}

void SetPrinterSetting(Platform& platform, PrinterSetting setting, const MethodRec& method) {
  for (const SettingRow& row : kSettings) {
    if (row.setting != setting) continue;
    const auto value = FindLowerCased(row.keywords, method.field[1]);
    if (!value) {
      throw RunStop{u"\"" + method.field[1] + u"\"\r\n" + Text(row.message)};
    }
    Printer& printer = platform.printer;
    row.set(printer, *value);
    return;
  }
  throw Failure::NotSupported();
}

}  // namespace vant
