#include "platform/browser/browser_document.h"

#include <QUrl>

#include <algorithm>
#include <numeric>

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
    safe.push_back(control || surrogate || c == u'/' || c == u'\\' ? u'_' : c);
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

}  // namespace

platform::PageObjects PageObjectsOf(const DocumentRequest& document) {
  platform::PageObjects page;
  struct Placed {
    std::int64_t place;
    std::size_t object;
    const ParamElement* param;
  };
  std::vector<Placed> all;
  for (const BrowserObject& object : document.objects) {
    platform::HostObject host;
    host.id = object.id;
    page.objects.push_back(std::move(host));
    for (std::size_t i = 0; i < object.params.size(); ++i) {
      const auto place = i < object.paramOrder.size() ? object.paramOrder[i] : static_cast<std::int64_t>(all.size());
      all.push_back({place, page.objects.size() - 1, &object.params[i]});
    }
  }
  // Every PARAM once, in document order; each OBJECT holds the indices of its own.
  std::stable_sort(all.begin(), all.end(), [](const Placed& a, const Placed& b) { return a.place < b.place; });
  page.objectParams.reserve(all.size());
  for (const Placed& placed : all) {
    page.objects[placed.object].params.push_back(page.objectParams.size());
    page.objectParams.push_back(*placed.param);
  }
  return page;
}

Text DocumentBaseName(const DocumentRequest& document) {
  for (const Text& candidate : {UrlStem(document.url), document.title}) {
    const Text safe = SafeFileName(candidate);
    if (!safe.empty()) return safe;
  }
  return u"vant3";
}

}  // namespace vant::browser
