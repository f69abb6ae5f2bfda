#include "app/check/check_page.h"

#include <algorithm>
#include <exception>

#include "app/run/preview_openers.h"
#include "control/held_buttons.h"
#include "control/prn_ctl.h"
#include "engine/printer_object.h"
#include "engine/run_watcher.h"
#include "platform/browser/collected_boxes.h"
#include "platform/host/charset_warning.h"
#include "platform/printing/recording_printer.h"
#include "platform/qt/qt_pointer.h"
#include "platform/symbols/zint_encoder.h"

namespace vant::app {
namespace {

// Follows the run: which method draws now (the record tags each mark with it), and each
// method's row and the printer's unit as it starts.
class MethodFollower final : public RunWatcher {
 public:
  MethodFollower(printing::PrintRecord& record, const PrinterObject& printer) : record_(record), printer_(printer) {}

  void MethodStarting(int16_t position, const CommandRow* row, const MethodRec&) noexcept override {
    record_.method = position;
    MetMethod met{position, row, 0};
    try {
      met.pixelsPerUnitX = printer_.ScaleX(1, printer_.ScaleMode(), kScalePixels);
    } catch (const std::exception&) {
      // A unit the printer cannot convert: the run refuses it too; no width is judged.
    }
    met_.push_back(met);
  }

  const std::vector<MetMethod>& Met() const { return met_; }

 private:
  printing::PrintRecord& record_;
  const PrinterObject& printer_;
  std::vector<MetMethod> met_;
};

Text UnreadText(const UnreadParam& param) {
  const Text named = u"PARAM「" + param.name + u"」(値「" + param.value + u"」)";
  if (param.reason == UnreadReason::kNotTheControl) {
    return named + u"はコントロールでない OBJECT にあり、メソッドとして読まれません。";
  }
  return named + u"は名前が method で始まらないため、メソッドとして読まれません。";
}

// What the page prints on instead of a printer it names, or that it stops there.
Text UnknownPrinterText(const printing::UnknownPrinterChoice& choice) {
  Text text = u"プリンター「" + choice.name + u"」が見つかりません";
  if (choice.mapEntry) text += u" (プリンターの対応表 " + *choice.mapEntry + u" の印刷先もありません)";
  if (choice.outcome == UnknownPrinter::kStop) return text + u"。UnknownPrinter = stop のため印刷を中断します。";
  return text + u"。代わりに「" + choice.printerUsed + u"」で印刷されます。";
}

}  // namespace

PageCheck UnreadablePage(const std::string& file, const std::string& reason) {
  PageCheck check;
  check.page = file;
  check.unreadable = reason;
  check.failed = true;
  return check;
}

PageCheck CheckPage(const std::string& file, const platform::LoadedHostPage& loaded, const CheckPrinters& installed,
                    qt::FontFaces& faces) {
  PageCheck check;
  check.page = file;
  const platform::HostPage& page = loaded.page;

  // The run exactly as `vant print` runs it, on printers that record.
  printing::PrintRecord record;
  printing::RecordingPrinters printers(installed.printers, installed.current, record, installed.map);
  PrinterObject printer(printers);
  browser::CollectedBoxes boxes(nullptr);
  qt::HeadlessMousePointer pointer;
  ModuleState state;
  MethodFollower follower(record, printer);
  const symbols::ZintEncoder symbols;
  Platform platform{printer, boxes, pointer, state, &follower, &symbols};
  HeldButtonsView view;
  NoPreview noPreview;
  PrnCtl control(platform, view, noPreview);
  control.ReadProperties(page, page);
  if (view.PrintButton().Enabled()) control.PrintClick();
  printers.EndOpenDocuments();
  check.messages = boxes.Take();
  int critical = 0;
  for (const browser::ShownBox& box : check.messages) critical += box.icon == MessageIcon::kCritical ? 1 : 0;
  if (critical == 0 && record.documents.empty()) {
    check.messages.push_back({MessageIcon::kInformation, Text(), Text(kNothingToPrint)});
  }
  check.failed = critical > 0;
  check.documents = std::move(record.documents);

  if (const platform::HostObject* object = page.ControlObject()) {
    check.control = CheckedControl{object->id, object->line, state.control.methodCount};
  }
  if (const auto warning = platform::CharsetWarning(file, loaded)) {
    check.warnings.push_back({WarningKind::kEncoding, 0, 0, *warning});
  }
  for (const UnreadParam& param : UnreadMethodParams(page)) {
    check.warnings.push_back({WarningKind::kUnreadParam, 0, param.line, UnreadText(param)});
  }
  // A stopped run shows its stop box before anything else the button does.
  const bool stopped = critical > 0;
  const std::vector<uint32_t> lines = MethodLines(page);
  for (CheckWarning& warning : MarkWarnings(follower.Met(), stopped, state.control, record, lines, faces)) {
    check.warnings.push_back(std::move(warning));
  }
  for (const printing::UnknownPrinterChoice& choice : record.unknownPrinters) {
    const auto at = static_cast<size_t>(choice.method);
    check.warnings.push_back(
        {WarningKind::kUnknownPrinter, choice.method, at < lines.size() ? lines[at] : 0, UnknownPrinterText(choice)});
  }
  std::stable_sort(check.warnings.begin(), check.warnings.end(),
                   [](const CheckWarning& a, const CheckWarning& b) { return a.method < b.method; });
  return check;
}

}  // namespace vant::app
