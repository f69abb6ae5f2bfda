#include "platform/browser/browser_document.h"

#include <QChar>
#include <QUrl>

#include <stdexcept>

#include "control/intake.h"

#include "platform/qt/qt_fonts.h"

namespace vant::browser {
namespace {

// Characters a page name keeps; its length bound keeps the name under the file system's
// 255 bytes with a number and ".pdf" after it (80 UTF-16 units take at most 240 bytes).
constexpr std::size_t kMaxBaseNameUnits = 80;

Text SafeFileName(TextView name) {
  Text safe;
  for (char16_t c : name.substr(0, kMaxBaseNameUnits)) {
    const bool control = c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;  // a half pair cannot be a file name
    // Format characters (the bidirectional embeddings, overrides and isolates, the marks,
    // the zero-width ones) are not seen, yet change how the rest shows: a name could read
    // "invoice.pdf" in a file manager and be something else.
    const bool format = QChar::category(static_cast<char32_t>(c)) == QChar::Other_Format;
    safe.push_back(control || surrogate || format || c == u'/' || c == u'\\' ? u'_' : c);
  }
  if (!safe.empty() && safe.front() == u'.') safe.front() = u'_';  // no hidden file, no ".."
  // A name of blanks alone says nothing.
  if (safe.find_first_not_of(u" _") == Text::npos) safe.clear();
  return safe;
}

Text UrlStem(const Text& url) {
  const QUrl parsed(qt::ToQString(url));
  QString last = parsed.fileName(QUrl::FullyDecoded);
  const qsizetype dot = last.lastIndexOf(u'.');
  if (dot > 0) last.truncate(dot);
  return qt::FromQString(last);
}

// The method PARAMs, their values moved out of params: the readings take a method line's
// value from the document, never from a bag, so the page's lines are held once.
std::vector<ParamElement> TakeMethodParams(std::vector<ParamElement>& params) {
  std::vector<ParamElement> methods;
  for (ParamElement& param : params) {
    if (IsMethodName(param.name)) methods.push_back({param.name, std::move(param.value), param.line});
  }
  return methods;
}

}  // namespace

BrowserPage::BrowserPage(platform::PageObjects page)
    : controls_(platform::ControlObjectIndexes(page)),
      objects_(std::move(page.objects)),
      methodParams_(platform::HostPage::FromParams(TakeMethodParams(page.objectParams), true, std::nullopt)),
      params_(std::make_shared<const std::vector<ParamElement>>(std::move(page.objectParams))) {}

platform::HostPage BrowserPage::Bag(std::size_t object) const {
  if (object >= objects_.size()) throw std::out_of_range("no such OBJECT element");
  return platform::HostPage::FromShared(params_, objects_[object]);
}

Text DocumentBaseName(const DocumentRequest& document) {
  for (const Text& candidate : {UrlStem(document.url), document.title}) {
    const Text safe = SafeFileName(candidate);
    if (!safe.empty()) return safe;
  }
  return u"vant3";
}

}  // namespace vant::browser
