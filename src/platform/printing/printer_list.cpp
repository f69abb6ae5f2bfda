#include "platform/printing/printer_list.h"

#include <utility>

#include "common/failure.h"
#include "platform/printing/cups_capabilities.h"
#include "platform/printing/cups_job_output.h"
#include "platform/printing/pdf_printer.h"

namespace vant::printing {

std::unique_ptr<PrinterList> PrinterList::FromCups() {
  CupsDestinations found = ReadCupsDestinations();
  std::vector<InstalledQueue> queues;
  for (auto& destination : found.destinations) {
    try {
      InstalledQueue queue;
      queue.capabilities = ReadCupsCapabilities(*destination);
      queue.isDefault = destination->IsDefault();
      queue.output = std::make_unique<CupsJobOutput>(std::move(destination));
      queues.push_back(std::move(queue));
    } catch (const Failure& failure) {
      found.problems.push_back(failure.Description());
    }
  }
  if (found.unreachable) found.problems.push_back(*found.unreachable + kPdfPrinterOnly);
  auto list = std::make_unique<PrinterList>(std::move(queues), std::move(found.problems));
  list->serverUnreachable_ = std::move(found.unreachable);
  return list;
}

PrinterList::PrinterList(std::vector<InstalledQueue> queues, std::vector<Text> problems)
    : problems_(std::move(problems)) {
  int defaultIndex = -1;
  for (auto& queue : queues) {
    if (queue.isDefault && defaultIndex < 0) defaultIndex = static_cast<int>(printers_.size());
    printers_.push_back(std::make_unique<PagePrinter>(std::move(queue.capabilities), std::move(queue.output)));
  }
  auto pdfOutput = std::make_unique<PdfFileOutput>();
  pdfOutput_ = pdfOutput.get();
  printers_.push_back(std::make_unique<PagePrinter>(PdfPrinterCapabilities(), std::move(pdfOutput)));
  current_ = defaultIndex >= 0 ? defaultIndex : static_cast<int>(printers_.size()) - 1;
  for (auto& printer : printers_) {
    printer->SetDeliveryListener([this](const DeliveredDocument& d) { delivered_.push_back(d); });
  }
}

PagePrinter& PrinterList::Page(int index) {
  if (index < 0 || index >= Count()) throw Failure::IndexOutOfRange();
  return *printers_[static_cast<size_t>(index)];
}

void PrinterList::MakeCurrent(int index) {
  PagePrinter& printer = Page(index);
  if (index != current_ && !printer.HasOpenDocument()) printer.ResetToDefaults();
  current_ = index;
}

std::vector<printermap::PrinterNames> PrinterList::Names() const {
  std::vector<printermap::PrinterNames> names;
  names.reserve(printers_.size());
  for (const auto& printer : printers_) {
    names.push_back({printer->Capabilities().name, printer->Capabilities().description});
  }
  return names;
}

int PrinterList::ReachedByName(TextView name) { return printermap::FindByOtherName(map_, Names(), name); }

UnknownPrinter PrinterList::NamedNoPrinter(TextView) { return map_.Unknown(); }

void PrinterList::UseMap(printermap::PrinterMap map) {
  map_ = std::move(map);
  for (const printermap::MapProblem& problem : map_.problems) problems_.push_back(problem.Said());
  if (serverUnreachable_) return;
  for (const printermap::MapProblem& problem : printermap::EntriesNamingNoPrinter(map_, Names())) {
    problems_.push_back(problem.Said());
  }
}

void PrinterList::SetDocumentName(const Text& baseName) {
  pdfOutput_->SetBaseName(baseName);
  for (auto& printer : printers_) printer->SetDocumentTitle(baseName);
}

void PrinterList::SetDocumentTitle(const Text& title) {
  for (auto& printer : printers_) printer->SetDocumentTitle(title);
}

void PrinterList::SetCopies(int copies) {
  for (auto& printer : printers_) printer->SetCopies(copies);
}

void PrinterList::EndOpenDocuments() {
  Text failures;
  for (auto& printer : printers_) {
    if (!printer->HasOpenDocument()) continue;
    try {
      printer->EndDoc();
    } catch (const Failure& failure) {
      if (!failures.empty()) failures += u"\r\n";
      failures += failure.Description();
    }
  }
  if (!failures.empty()) throw Failure(failures);
}

void PrinterList::EndOpenDocumentsShowingFailure(MessageBoxes& messages) {
  try {
    EndOpenDocuments();
  } catch (const Failure& failure) {
    messages.Show(failure.Description(), MessageIcon::kCritical, u"エラー");
  }
}

}  // namespace vant::printing
