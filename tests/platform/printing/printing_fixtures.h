// Printers for the tests that need no print server: an output that keeps what it is
// given (or refuses it), and capabilities of a small office printer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/printing/printer_capabilities.h"
#include "platform/printing/printer_output.h"

namespace vant::printing::test {

// Keeps every document handed to it, as a print server queue takes them (one part, or
// job, per run of pages with equal settings); refuses them with the given text when told to.
class KeepingOutput final : public PrinterOutput {
 public:
  struct Log {
    std::vector<PrintedDocument> documents;  // every part, in order
    std::optional<Text> refusal;
  };
  explicit KeepingOutput(std::shared_ptr<Log> log) : log_(std::move(log)) {}

  bool OneSettingPerDelivery() const override { return true; }
  DeliveredDocument Deliver(const PrintedDocument& document) override { return DeliverParts({document}); }
  DeliveredDocument DeliverParts(const std::vector<PrintedDocument>& parts) override {
    if (log_->refusal) throw Failure(*log_->refusal);
    DeliveredDocument delivered;
    delivered.printer = parts.at(0).printer;
    for (const PrintedDocument& part : parts) {
      log_->documents.push_back(part);
      delivered.pages += part.pages;
      const int job = static_cast<int>(log_->documents.size());
      if (delivered.jobId) {
        delivered.laterJobIds.push_back(job);
      } else {
        delivered.jobId = job;
      }
    }
    return delivered;
  }

 private:
  std::shared_ptr<Log> log_;
};

// The description of the Failure that set throws, or "accepted" when it throws none.
inline std::string RefusalText(const std::function<void()>& set) {
  try {
    set();
  } catch (const Failure& failure) {
    return ToUtf8(failure.Description());
  }
  return "accepted";
}

// An A4 printer at 300 dpi taking A3, A4 and Letter, two bins, monochrome only, draft
// and normal quality, with strips of 5 mm left and right and 10 mm top and bottom.
inline PrinterCapabilities SmallOffice(const Text& name) {
  PrinterCapabilities caps;
  caps.name = name;
  caps.dpiX = caps.dpiY = 300;
  caps.papers.emplace(int16_t{8}, PrinterMedia{"iso_a3_297x420mm", {297, 420, 5, 10, 5, 10}, {29700, 42000, 500, 1000, 500, 1000}});
  caps.papers.emplace(int16_t{9}, PrinterMedia{"iso_a4_210x297mm", {210, 297, 5, 10, 5, 10}, {21000, 29700, 500, 1000, 500, 1000}});
  caps.papers.emplace(int16_t{1}, PrinterMedia{"na_letter_8.5x11in", {215.9, 279.4, 5, 10, 5, 10}, {21590, 27940, 500, 1000, 500, 1000}});
  caps.defaultPaper = 9;
  caps.defaultMedia = caps.papers.at(9);
  caps.Choices(PrinterSetting::kOrientation) = {{{kPortrait, ""}, {kLandscape, ""}}, kPortrait};
  caps.Choices(PrinterSetting::kPrintQuality) = {
      {{kQualityDraft.code, ""}, {kQualityLow.code, ""}, {kQualityMedium.code, ""}}, kQualityMedium.code};
  caps.Choices(PrinterSetting::kPaperBin) = {{{kBinUpper.code, "top"}, {kBinAuto.code, "auto"}}, kBinAuto.code};
  caps.Choices(PrinterSetting::kColorMode) = {{{kMonochrome, ""}}, kMonochrome};
  return caps;
}

}  // namespace vant::printing::test
