#include "platform/browser/private_paths.h"

namespace vant::browser {
namespace {

// Whether the path found ends there: at the text's end, or before anything but the ASCII
// letters, digits, ".", "-" and "_" that would make it another name ("/home/u" in
// "/home/user2"). A Japanese word straight after a path ends it: a text may say "…/ダウン
// ロードに"; hiding a little too much is safe, too little is not.
bool EndsAPath(TextView text, std::size_t end) {
  if (end == text.size()) return true;
  const char16_t c = text[end];
  const bool nameCharacter = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                             c == u'.' || c == u'-' || c == u'_';
  return !nameCharacter;
}

Text PathText(const std::filesystem::path& path) {
  // Written without a trailing "/", so that it is found before one or at a text's end.
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return FromUtf8(text);
}

}  // namespace

PrivatePaths::PrivatePaths(const std::optional<std::filesystem::path>& downloads,
                           const std::optional<std::filesystem::path>& home) {
  if (downloads && downloads->is_absolute()) replacements_.emplace_back(PathText(*downloads), Text(kDownloadFolderWords));
  // "/" as the home folder would turn every path into "~…".
  if (home && home->is_absolute() && PathText(*home) != u"/") replacements_.emplace_back(PathText(*home), u"~");
}

Text PrivatePaths::Hidden(TextView text) const {
  Text hidden(text);
  for (const auto& [path, words] : replacements_) {
    for (std::size_t at = hidden.find(path); at != Text::npos; at = hidden.find(path, at)) {
      if (EndsAPath(hidden, at + path.size())) {
        hidden.replace(at, path.size(), words);
        at += words.size();
      } else {
        at += path.size();
      }
    }
  }
  return hidden;
}

}  // namespace vant::browser
