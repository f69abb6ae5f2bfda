// A notice for the user's desktop: a short summary, a body of plain text, and, when a file
// was written, the file that its action shows in its folder.
#pragma once

#include <filesystem>
#include <optional>

#include "common/text.h"

namespace vant::desktop {

struct DesktopNotice {
  Text summary;
  Text body;  // plain text; lines separated by "\n"
  std::optional<std::filesystem::path> shownFile;  // offered as "フォルダーを開く"
};

// The action's caption.
inline constexpr TextView kOpenFolderCaption = u"フォルダーを開く";

}  // namespace vant::desktop
