#include "platform/browser/gone_server.h"

#include "draw/method_commands.h"
#include "platform/printing/pdf_printer.h"

namespace vant::browser {

bool ListChoosesPrinter(const ControlState& control, TextView printer) {
  for (int16_t k = 1; k <= control.methodCount && static_cast<std::size_t>(k) < control.methodList.size(); ++k) {
    if (ChoosesPrinter(MethodCommands(), control.methodList[static_cast<std::size_t>(k)], printer)) return true;
  }
  return false;
}

Text GoneServerRefusal(const Text& unreachable) {
  return unreachable + u"印刷しませんでした (ページが「" + Text(printing::kPdfPrinterName) +
         u"」を選んだときだけ PDF ファイルに書きます)。";
}

void HoldPdfPrinterUnlessChosen(printing::PrinterList& printers, const ControlState& control) {
  const std::optional<Text>& unreachable = printers.ServerUnreachable();
  const bool chosen = ListChoosesPrinter(control, printing::kPdfPrinterName);
  printers.PdfOutput().Refuse(unreachable && !chosen ? std::optional<Text>(GoneServerRefusal(*unreachable)) : std::nullopt);
}

}  // namespace vant::browser
