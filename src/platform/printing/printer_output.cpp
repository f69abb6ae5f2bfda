#include "platform/printing/printer_output.h"

namespace vant::printing {

Text DeliveredDocument::Description() const {
  const Text pages_text = DecimalText(pages);
  if (jobId) {
    return u"プリンター「" + printer + u"」にジョブ " + DecimalText(*jobId) + u" (" + pages_text +
           u" ページ) を送りました。";
  }
  if (standardOutput) return u"標準出力に " + pages_text + u" ページの PDF を書き込みました。";
  if (file) {
    return u"「" + FromUtf8(file->string()) + u"」に " + pages_text + u" ページを書き込みました。";
  }
  return u"プリンター「" + printer + u"」に " + pages_text + u" ページを出力しました。";
}

}  // namespace vant::printing
