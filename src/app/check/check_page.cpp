#include "app/check/check_page.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "app/run/preview_openers.h"
#include "app/run/session.h"
#include "control/held_buttons.h"
#include "control/prn_ctl.h"
#include "engine/printer_object.h"
#include "engine/run_watcher.h"
#include "platform/browser/collected_boxes.h"
#include "platform/host/charset_warning.h"
#include "platform/host/html_charset.h"
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

Text UnreadText(const UnreadParam& param, const Words& w) {
  const std::string pattern =
      param.reason == UnreadReason::kNotTheControl
          ? w.translate("vant check",
                        "PARAM \"%1\" (value \"%2\") is in an OBJECT that is not the control and is not read as a "
                        "method.")
          : w.translate("vant check",
                        "PARAM \"%1\" (value \"%2\") is not read as a method: its name does not start with "
                        "method.");
  return WarningText(pattern, {ToUtf8(param.name), ToUtf8(param.value)});
}

// What the page prints on instead of a printer it names, or that it stops there; with the
// printer map's entry for the name when its queue is not installed.
Text UnknownPrinterText(const printing::UnknownPrinterChoice& choice, const Words& w) {
  const bool stops = choice.outcome == UnknownPrinter::kStop;
  if (choice.mapEntry) {
    const std::string pattern =
        stops ? w.translate("vant check",
                            "There is no printer \"%1\" (nor the printer of its entry %2 in the printer map). "
                            "Printing stops, as UnknownPrinter = stop.")
              : w.translate("vant check",
                            "There is no printer \"%1\" (nor the printer of its entry %2 in the printer map). It "
                            "prints on \"%3\" instead.");
    return WarningText(pattern, {ToUtf8(choice.name), ToUtf8(*choice.mapEntry), ToUtf8(choice.printerUsed)});
  }
  const std::string pattern =
      stops ? w.translate("vant check", "There is no printer \"%1\". Printing stops, as UnknownPrinter = stop.")
            : w.translate("vant check", "There is no printer \"%1\". It prints on \"%2\" instead.");
  return WarningText(pattern, {ToUtf8(choice.name), ToUtf8(choice.printerUsed)});
}

// A page whose bytes do not match the encoding it declares: the same warning vant print gives.
std::optional<Text> EncodingText(const std::string& file, const platform::LoadedHostPage& loaded, const Words& w) {
  const auto warning = EncodingWarning(file, loaded, w);
  return warning ? std::optional<Text>(FromUtf8(*warning)) : std::nullopt;
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
                    qt::FontFaces& faces, const Words& w) {
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
  if (auto warning = EncodingText(file, loaded, w)) {
    check.warnings.push_back({WarningKind::kEncoding, 0, 0, std::move(*warning)});
  }
  for (const UnreadParam& param : UnreadMethodParams(page)) {
    check.warnings.push_back({WarningKind::kUnreadParam, 0, param.line, UnreadText(param, w)});
  }
  // A stopped run shows its stop box before anything else the button does.
  const bool stopped = critical > 0;
  const std::vector<uint32_t> lines = MethodLines(page);
  for (CheckWarning& warning : MarkWarnings(follower.Met(), stopped, state.control, record, lines, faces, w)) {
    check.warnings.push_back(std::move(warning));
  }
  for (const printing::UnknownPrinterChoice& choice : record.unknownPrinters) {
    const auto at = static_cast<size_t>(choice.method);
    check.warnings.push_back({WarningKind::kUnknownPrinter, choice.method, at < lines.size() ? lines[at] : 0,
                              UnknownPrinterText(choice, w)});
  }
  std::stable_sort(check.warnings.begin(), check.warnings.end(),
                   [](const CheckWarning& a, const CheckWarning& b) { return a.method < b.method; });
  return check;
}

}  // namespace vant::app
