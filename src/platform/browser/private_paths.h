// What of the user's file system a page may learn: nothing. The texts the host sends a page
// (the message boxes' copies, its refusals) name the download folder by those words and the
// home folder as "~", so that no login and no folder layout reaches a site; the desktop
// still shows the boxes as they are.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "common/text.h"

namespace vant::browser {

// How the download folder is named in a page's texts.
inline constexpr TextView kDownloadFolderWords = u"ダウンロードフォルダー";

class PrivatePaths {
 public:
  PrivatePaths() = default;
  // Either folder may be unknown.
  PrivatePaths(const std::optional<std::filesystem::path>& downloads, const std::optional<std::filesystem::path>& home);

  // The text with every occurrence of the folders' paths (as a whole path or the start of a
  // longer one, not as a part of another name) replaced; the download folder first, as it
  // is usually in the home folder.
  Text Hidden(TextView text) const;

 private:
  std::vector<std::pair<Text, Text>> replacements_;  // path, its words
};

}  // namespace vant::browser
