#include "platform/printing/printer_output.h"

#include <stdexcept>

namespace vant::printing {

DeliveredDocument PrinterOutput::DeliverParts(const std::vector<PrintedDocument>& parts) {
  if (parts.size() != 1) throw std::logic_error("an output that takes whole documents was given parts");
  return Deliver(parts.front());
}

Text DeliveredDocument::Description() const {
  const Text pages_text = DecimalText(pages);
  if (jobId) {
    Text jobs = DecimalText(*jobId);
    for (const int later : laterJobIds) jobs += u"、" + DecimalText(later);
    Text said = u"プリンター「" + printer + u"」にジョブ " + jobs + u" (" + pages_text + u" ページ) を送りました。";
    if (printerStopped) said += u"プリンターが停止しているため、再開されるまで印刷されません。";
    return said;
  }
  if (standardOutput) return u"標準出力に " + pages_text + u" ページの PDF を書き込みました。";
  if (file) {
    return u"「" + FromUtf8(file->string()) + u"」に " + pages_text + u" ページを書き込みました。";
  }
  return u"プリンター「" + printer + u"」に " + pages_text + u" ページを出力しました。";
}

}  // namespace vant::printing
