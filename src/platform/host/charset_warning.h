// The warning for a page whose bytes do not match the encoding it declares: a page saved
// in another encoding than its META names reads as replacement characters, and its texts
// would print garbled without any other sign.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

#include "common/text.h"
#include "platform/host/host_page_loader.h"

namespace vant::platform {

// Invalid byte sequences a page may hold before it is warned about: a stray byte or two
// in a comment is common and harmless.
inline constexpr std::size_t kToleratedInvalidSequences = 3;

// The warning naming the page file and its encoding (and that it holds UTF-8 where that is
// so), or nothing for a page that reads cleanly enough.
std::optional<Text> CharsetWarning(const std::filesystem::path& file, const LoadedHostPage& page);

}  // namespace vant::platform
