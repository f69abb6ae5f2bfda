// A print server queue as a printer's output. The server applies a job's settings to every
// page of it (its filters fit each page to the job's sheet and orientation), so a document
// goes as one job per run of pages with equal settings: each job is Create-Job, then the
// PDF as its one document, with those settings and print-scaling=none, so that the pages
// print at their own size. The jobs of a document in several parts are held until all are
// in and then released in page order: they print together, one after the other, or not at
// all. A paused queue that accepts jobs takes them (the delivery says that they wait); a
// queue that refuses jobs, or a server that refuses a document, is a failure naming the
// printer and the reason, and the jobs are cancelled rather than left half-sent.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/printing/cups_destination.h"
#include "platform/printing/queue_ppd.h"
#include "platform/printing/printer_output.h"

namespace vant::printing {

class CupsJobOutput final : public PrinterOutput {
 public:
  explicit CupsJobOutput(std::unique_ptr<CupsDestination> destination);

  bool OneSettingPerDelivery() const override { return true; }
  DeliveredDocument Deliver(const PrintedDocument& document) override;
  DeliveredDocument DeliverParts(const std::vector<PrintedDocument>& parts) override;

  // From the queue's PPD, read the first time it is asked.
  SheetGrid GridFor(const PrinterMedia& media) override;

 private:
  // Refuses (throws) when the queue takes no jobs; whether it is paused.
  bool CheckQueue(const Text& printer) const;
  // The queue's PPD, fetched the first time it is needed; empty for a queue without one.
  const std::optional<QueuePpd>& Ppd();
  bool HasPpd() { return Ppd().has_value(); }

  std::unique_ptr<CupsDestination> destination_;
  std::optional<std::optional<QueuePpd>> ppd_;  // fetched once; the inner one empty without a PPD
};

}  // namespace vant::printing
