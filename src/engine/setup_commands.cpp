#include "engine/setup_commands.h"

#include "common/failure.h"
#include "engine/run_stop.h"
#include "engine/setup_keywords.h"

namespace vant {
namespace {

struct PropertyCommand {
  std::u16string_view name;
  std::span<const KeywordRow> keywords;
  std::u16string_view message;  // the stop message for an unaccepted keyword
  void (*set)(Printer&, int16_t);
};

// paperbin and colormode have no message of their own and share the scale mode's.
const PropertyCommand kPropertyCommands[] = {
    {u"papersize", kPaperSizeKeywords, u"PaperSize指定が不正です!", [](Printer& p, int16_t v) { p.SetPaperSize(v); }},
    {u"orientation", kOrientationKeywords, u"Orientation指定が不正です!", [](Printer& p, int16_t v) { p.SetOrientation(v); }},
    {u"scalemode", kScaleModeKeywords, u"ScaleMode指定が不正です!", [](Printer& p, int16_t v) { p.SetScaleMode(v); }},
    {u"printquality", kPrintQualityKeywords, u"Printquality指定が不正です!", [](Printer& p, int16_t v) { p.SetPrintQuality(v); }},
    {u"paperbin", kPaperBinKeywords, u"ScaleMode指定が不正です!", [](Printer& p, int16_t v) { p.SetPaperBin(v); }},
    {u"colormode", kColorModeKeywords, u"ScaleMode指定が不正です!", [](Printer& p, int16_t v) { p.SetColorMode(v); }},
};

}  // namespace

void SelectPrinter(InstalledPrinters& printers, const Text& name) {
  const int count = printers.Count();
  for (int i = 0; i < count; ++i) {
    if (TrimBlanks(printers.At(i).DeviceName()) == name) {
      printers.MakeCurrent(i);
      return;
    }
  }
}

void ChangePrinter(Platform& platform, const MethodRec& method) {
  SelectPrinter(platform.printer.Installed(), TrimBlanks(method.field[1]));
}

void SetPrinterProperty(Platform& platform, TextView command, const MethodRec& method) {
  for (const auto& property : kPropertyCommands) {
    if (property.name != command) continue;
    const auto value = FindKeyword(property.keywords, LowerCase(method.field[1]));
    if (!value) {
      throw RunStop{u"\"" + method.field[1] + u"\"\r\n" + Text(property.message)};
    }
    Printer& printer = platform.printer;
    property.set(printer, *value);
    return;
  }
  throw Failure::NotSupported();
}

}  // namespace vant
