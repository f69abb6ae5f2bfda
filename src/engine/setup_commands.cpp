#include "engine/setup_commands.h"

#include <array>
#include <optional>

#include "common/failure.h"
#include "engine/printer_setting.h"
#include "engine/run_stop.h"
#include "engine/setup_keywords.h"

namespace vant {
namespace {

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

// The argument's value by the keywords; the run stops with the stop text when none takes it.
int16_t KeywordValue(std::span<const KeywordRow> keywords, std::u16string_view stopMessage, const MethodRec& method) {
  const auto value = FindLowerCased(keywords, method.field[1]);
  if (!value) throw RunStop{u"\"" + method.field[1] + u"\"\r\n" + Text(stopMessage)};
  return *value;
}

void SetPrinterSetting(Platform& platform, PrinterSetting setting, const MethodRec& method) {
  const PrinterSettingRow& row = RowOf(setting);
  Printer& printer = platform.printer;
  printer.Set(setting, KeywordValue(row.keywords, row.stopMessage, method));
}

void SetScaleModeCommand(Platform& platform, const MethodRec& method) {
  Printer& printer = platform.printer;
  printer.SetScaleMode(KeywordValue(kScaleModeKeywords, u"ScaleMode指定が不正です!", method));
}

}  // namespace vant
