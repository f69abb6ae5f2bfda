// vant print and vant pdf: the print button's run on the current printer, or on the PDF
// printer writing where -o says, and what each of them refuses before running.
#include <filesystem>
#include <iostream>

#include "app/cli/words.h"
#include "app/run/output_targets.h"
#include "app/run/preview_openers.h"
#include "app/run/session.h"
#include "app/verbs.h"
#include "control/held_buttons.h"
#include "control/prn_ctl.h"
#include "platform/printing/pdf_printer.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"
#include "preview/preview_messages.h"

namespace vant::app {
namespace {

bool NamesThePdfPrinter(const std::optional<std::string>& printer) {
  return printer && TrimBlanks(FromUtf8(*printer)) == printing::kPdfPrinterName;
}

// `vant pdf`: the PDF printer current, its first document going where -o says.
void MakePdfPrinterCurrent(const CommandLine& line, printing::PrinterList& printers) {
  printers.MakeCurrent(printers.PdfPrinterIndex());
  if (line.OutputToStandardOutput()) {
    printers.PdfOutput().SetStandardOutput();
  } else if (line.output) {
    printers.PdfOutput().SetPath(*line.output);
  }
}

// The PDF file's name, when the PDF printer is to print: one that cannot be written as
// named, or would be written over the page itself, is a usage error before the run.
void CheckPdfFile(const CommandLine& line, Session& session) {
  printing::PrinterList& printers = session.printers();
  if (printers.CurrentIndex() != printers.PdfPrinterIndex()) return;
  if (!line.output && line.PageFromStandardInput()) {
    throw UsageError(
        line.words.translate("vant print", "name the PDF file of a page read from standard input with vant pdf -o"));
  }
  // The working directory, the page's name or -o may hold bytes that are not UTF-8.
  if (!line.output && !IsUtf8(session.page().baseName)) {
    throw UsageError(
        line.words.translate("vant print", "the page's file name is not UTF-8: name the PDF file with vant pdf -o"));
  }
  const auto path = printers.PdfOutput().Path();
  if (path && !IsUtf8(path->string())) {
    throw UsageError(
        Fill(line.words.translate("vant print", "the PDF file's path is not UTF-8 (give -o a UTF-8 path): %1"),
             {path->string()}));
  }
  // A PDF written over the page itself (-o naming it, or a page whose name ends in .pdf
  // printed in its own folder) would lose the page.
  std::error_code notThere;
  if (path && !line.PageFromStandardInput() && std::filesystem::equivalent(*path, line.page, notThere)) {
    throw UsageError(Fill(line.words.translate("vant print", "the PDF file would be written over the page itself: %1"),
                          {path->string()}));
  }
}

// Why `vant print` must not print: the print server that was chosen cannot be reached, and
// a document would silently become a file. Nothing for `vant pdf` and --printer "Vant3 PDF".
std::optional<Text> PrintRefusal(const CommandLine& line, printing::PrinterList& printers) {
  const auto& unreachable = printers.ServerUnreachable();
  if (line.verb != Verb::kPrint || NamesThePdfPrinter(line.printer) || !unreachable) return std::nullopt;
  Text refusal = *unreachable + u"印刷しませんでした (PDF ファイルに書くには vant pdf か --printer \"";
  refusal += printing::kPdfPrinterName;
  refusal += u"\" を使います)。";
  return refusal;
}

}  // namespace

int PrintVerb(int& argc, char** argv, const CommandLine& line) {
  CheckOutputTargets(line);
  platform::LoadedHostPage page = LoadCommandPage(line);
  const bool pdf = line.verb == Verb::kPdf;
  const SessionNeeds needs{.printServer = !pdf || PageChangesPrinter(page),
                           .saysUnreachableServer = line.verb == Verb::kPrint && !NamesThePdfPrinter(line.printer)};
  qt::StderrMessageBoxes boxes;
  Session session(argc, argv, line, std::move(page), needs, boxes, std::make_unique<qt::HeadlessMousePointer>());
  if (pdf) MakePdfPrinterCurrent(line, session.printers());
  CheckPdfFile(line, session);
  HeldButtonsView view;
  NoPreview noPreview;
  PrnCtl control(session.platform(), view, noPreview);
  control.ReadProperties(session.page().page, session.page().page);
  // An unreachable print server is said once: as the reason `vant print` prints nothing
  // (when there is something to print), or among the printers' problems.
  const std::optional<Text> refusal = PrintRefusal(line, session.printers());
  if (refusal && view.PrintButton().Enabled()) {
    std::cerr << "vant: " << ToUtf8(*refusal) << '\n';
    return kExitStopped;
  }
  // A failed reading disables the print button: nothing is printed.
  if (view.PrintButton().Enabled()) control.PrintClick();
  session.Finish();
  // A run that neither stopped nor delivered anything says so: a list of set-up methods
  // and enddoc alone prints nothing, which no other message tells.
  if (session.messages().Critical() == 0 && session.printers().Delivered().empty()) {
    session.messages().Show(Text(kNothingToPrint), MessageIcon::kInformation, u"");
  }
  return session.messages().Critical() > 0 ? kExitStopped : kExitDone;
}

}  // namespace vant::app
