#include "platform/browser/delivery_notice.h"

#include <algorithm>

namespace vant::browser {
namespace {

Text FileLine(const printing::DeliveredDocument& document) {
  const std::filesystem::path& file = *document.file;
  return u"「" + FromUtf8(file.filename().string()) + u"」(" + DecimalText(document.pages) +
         u" ページ) をフォルダー「" + FromUtf8(file.parent_path().string()) + u"」に保存しました。";
}

}  // namespace

std::optional<desktop::DesktopNotice> DeliveryNotice(const std::vector<printing::DeliveredDocument>& delivered) {
  if (delivered.empty()) return std::nullopt;
  desktop::DesktopNotice notice;
  const auto isFile = [](const printing::DeliveredDocument& d) { return d.file.has_value(); };
  const std::size_t files = static_cast<std::size_t>(std::count_if(delivered.begin(), delivered.end(), isFile));
  notice.summary = files == delivered.size() ? u"PDF ファイルを保存しました"
                   : files == 0              ? u"印刷ジョブを送りました"
                                             : u"印刷しました";
  for (const printing::DeliveredDocument& document : delivered) {
    if (!notice.body.empty()) notice.body += u"\n";
    // A job is said as `vant print` says it: the printer, the job and its pages.
    notice.body += document.file ? FileLine(document) : document.Description();
    if (document.file) notice.shownFile = document.file;
  }
  return notice;
}

}  // namespace vant::browser
