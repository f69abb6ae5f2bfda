#include "platform/host/charset_warning.h"

#include <string>

namespace vant::platform {

std::optional<Text> CharsetWarning(const std::filesystem::path& file, const LoadedHostPage& page) {
  if (page.utf8Text) {
    return u"ページ「" + FromUtf8(file.string()) + u"」は " + FromUtf8(std::string(EncodingName(page.encoding))) +
           u" と宣言していますが、UTF-8 で保存されています。文字化けしている可能性があります (文字コードの指定を確認してください)。";
  }
  if (page.replacedSequences <= kToleratedInvalidSequences) return std::nullopt;
  return u"ページ「" + FromUtf8(file.string()) + u"」の " +
         DecimalText(static_cast<long long>(page.replacedSequences)) + u" 箇所が " +
         FromUtf8(std::string(EncodingName(page.encoding))) +
         u" として読めません。文字化けしている可能性があります (文字コードの指定を確認してください)。";
}

}  // namespace vant::platform
