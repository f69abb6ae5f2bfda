// A print server queue as a printer's output: each ended document is submitted as one
// job (Create-Job, then the PDF as its one document) with the job's settings and
// print-scaling=none, so that the pages print at their own size. A stopped queue, a queue
// that refuses jobs, or a server that refuses the document is a failure naming the printer
// and the server's message; the job is cancelled rather than left half-sent.
#pragma once

#include <memory>

#include "platform/printing/cups_destination.h"
#include "platform/printing/printer_output.h"

namespace vant::printing {

class CupsJobOutput final : public PrinterOutput {
 public:
  explicit CupsJobOutput(std::unique_ptr<CupsDestination> destination);

  DeliveredDocument Deliver(const PrintedDocument& document) override;

  const CupsDestination& Destination() const { return *destination_; }

 private:
  void RefuseWhenStopped(const Text& printer) const;

  std::unique_ptr<CupsDestination> destination_;
};

}  // namespace vant::printing
